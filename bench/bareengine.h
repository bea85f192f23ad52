#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>

struct sqlite3;
struct sqlite3_stmt;

// The floor of every measurement: the engine's own interface on the same file, with nothing of
// the program between the query and its values. Failures end the benchmark with the engine's
// message.
class BareEngine {
  public:
    explicit BareEngine(const QString& path);
    ~BareEngine();
    BareEngine(const BareEngine&) = delete;
    BareEngine& operator=(const BareEngine&) = delete;

    // Runs a query and reads every value of at most limit rows (all with -1), as a screen would
    // need them; returns the number of rows read.
    int read(const char* sql, const QVariantList& values = {}, int limit = -1);
    // The values of at most limit rows as text.
    QVector<QStringList> texts(const char* sql, const QVariantList& values, int limit);
    // Runs a statement that returns no rows.
    void run(const char* sql, const QVariantList& values = {});
    // The first value of the first row, as a number.
    qint64 number(const char* sql, const QVariantList& values = {});

  private:
    sqlite3_stmt* prepared(const char* sql, const QVariantList& values);
    [[noreturn]] void fail() const;

    sqlite3* db_ = nullptr;
};
