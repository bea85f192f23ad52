#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <memory>

struct BenchSetup;

// The floor of every measurement: the engine's own interface on the same database, with nothing
// of the program between the query and its values. Statements take their values at '?'. Failures
// end the benchmark with the engine's message.
class Floor {
  public:
    virtual ~Floor() = default;
    // Runs a query and reads every value of at most limit rows (all with -1), as a screen would
    // need them; returns the number of rows read.
    virtual int read(const char* sql, const QVariantList& values = {}, int limit = -1) = 0;
    // The values of at most limit rows as text.
    virtual QVector<QStringList> texts(const char* sql, const QVariantList& values, int limit) = 0;
    // Runs a statement that returns no rows.
    virtual void run(const char* sql, const QVariantList& values = {}) = 0;
    // The first value of the first row, as a number.
    virtual qint64 number(const char* sql, const QVariantList& values = {}) = 0;
};

// The floor on the database that the run measures: the copy of the file, or the server's.
std::unique_ptr<Floor> openFloor(const BenchSetup& setup);
