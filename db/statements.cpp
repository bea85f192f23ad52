#include "db/statements.h"

#include "db/dataerrors.h"
#include "db/enginestatements.h"

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

Statements::Statements(const QSqlDatabase& db) : db_(db) {}

sqlite3_stmt* Statements::bound(const QString& sql, const QVariantList& values) {
    if (!db_.isOpen())
        throw DataErrors::notOpen();
    sqlite3_stmt* statement = cachedStatement(db_, sql);
    bindValues(statement, values);
    return statement;
}

QVector<Row> Statements::rows(const QString& sql, const QVariantList& values) {
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

QStringList Statements::columnNames(const QString& sql, const QVariantList& values) {
    sqlite3_stmt* statement = bound(sql, values);
    Resetter resetter(statement);
    return ::columnNames(statement);
}

Statements::Written Statements::write(const QString& sql, const QVariantList& values) {
    sqlite3_stmt* statement = bound(sql, values);
    Resetter resetter(statement);
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    if (step != SQLITE_DONE)
        throw engineError(statement, step);
    sqlite3* handle = sqlite3_db_handle(statement);
    return {sqlite3_last_insert_rowid(handle), sqlite3_changes(handle)};
}
