#include "db/engine/filerunner.h"

#include "db/engine/dataerrors.h"
#include "db/engine/enginestatements.h"

#include <sqlite3.h>

namespace {

// Resets a statement however its use ends, releasing the engine's read lock.
class Resetter {
  public:
    explicit Resetter(sqlite3_stmt* statement) : statement_(statement) {}
    ~Resetter() {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    Resetter(const Resetter&) = delete;
    Resetter& operator=(const Resetter&) = delete;

  private:
    sqlite3_stmt* statement_;
};

} // namespace

sqlite3_stmt* FileRunner::bound(const QString& sql, const QVariantList& values) {
    if (!db_.isOpen())
        throw DataErrors::notOpen();
    sqlite3_stmt* statement = cachedStatement(db_, sql);
    bindValues(statement, values);
    return statement;
}

QVector<Row> FileRunner::rows(const QString& sql, const QVariantList& values) {
    sqlite3_stmt* statement = bound(sql, values);
    Resetter resetter(statement);
    const int columns = sqlite3_column_count(statement);
    QVector<Row> result;
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row(columns);
        for (int i = 0; i < columns; ++i)
            row[i] = columnValue(statement, i);
        result.append(std::move(row));
    }
    if (step != SQLITE_DONE)
        throw engineError(statement, step);
    return result;
}

QStringList FileRunner::columnNames(const QString& sql, const QVariantList& values) {
    sqlite3_stmt* statement = bound(sql, values);
    Resetter resetter(statement);
    return ::columnNames(statement);
}

int FileRunner::write(const QString& sql, const QVariantList& values) {
    sqlite3_stmt* statement = bound(sql, values);
    Resetter resetter(statement);
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    if (step != SQLITE_DONE)
        throw engineError(statement, step);
    return sqlite3_changes(sqlite3_db_handle(statement));
}

FileRows::FileRows(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
    : statement_(prepareStatement(db, sql)) {
    try {
        bindValues(statement_, values);
    } catch (...) {
        sqlite3_finalize(statement_);
        throw;
    }
    columns_ = ::columnNames(statement_);
}

FileRows::~FileRows() {
    sqlite3_finalize(statement_);
}

bool FileRows::next() {
    const int step = sqlite3_step(statement_);
    onRow_ = step == SQLITE_ROW;
    if (step != SQLITE_ROW && step != SQLITE_DONE)
        throw engineError(statement_, step);
    return onRow_;
}

QVariant FileRows::value(int column) const {
    if (!onRow_ || column < 0 || column >= columns_.size())
        return QVariant();
    return columnValue(statement_, column);
}
