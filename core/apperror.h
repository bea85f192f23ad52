#pragma once

#include <QString>
#include <exception>

// A failure as the program reports it: a number and a description. Database failures carry the
// engine's code and message.
class AppError : public std::exception {
  public:
    AppError(int number, QString description)
        : number_(number), description_(std::move(description)), what_(description_.toUtf8()) {}

    int number() const { return number_; }
    const QString& description() const { return description_; }
    const char* what() const noexcept override { return what_.constData(); }

  private:
    int number_;
    QString description_;
    QByteArray what_;
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
