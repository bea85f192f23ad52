#pragma once

#include <QString>
#include <exception>

// What a failure is, for the code that decides what to do about it: the number is what the user
// is shown, and each engine's numbers for the same failure differ.
enum class ErrorKind {
    Other,
    Busy,           // another connection holds what was asked for; later it may succeed
    Duplicate,      // a value that must be unique stands already
    Refused,        // a rule of the table (a check, a value that cannot be null, a trigger)
    ReadOnly,       // the database or the record cannot be changed
    ConnectionLost, // the server is gone, or cannot be reached
    NotADatabase,   // the file is not a database
    Damaged,        // the database's storage is damaged
    GaveWay,        // the program's own check of the database stopped for a save
};

// A failure as the program reports it: a number and a description. Database failures carry the
// engine's code and message.
class AppError : public std::exception {
  public:
    AppError(int number, QString description, ErrorKind kind = ErrorKind::Other)
        : number_(number), description_(std::move(description)), what_(description_.toUtf8()),
          kind_(kind) {}

    int number() const { return number_; }
    ErrorKind kind() const { return kind_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return what_.constData(); }

  private:
    int number_;
    QString description_;
    QByteArray what_;
    ErrorKind kind_;
};

namespace ErrorNumber {
// The file dialogs' cancel.
constexpr int DialogCancelled = 32755;
// A value that a box cannot take.
constexpr int InvalidPropertyValue = 380;
// A file or record that is not where it should be.
constexpr int FileNotFound = 53;
// A failure that carries no number of its own.
constexpr int Unexpected = 5;
} // namespace ErrorNumber
