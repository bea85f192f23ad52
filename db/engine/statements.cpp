#include "db/engine/statements.h"

#include "db/engine/connection.h"
#include "db/engine/dataerrors.h"
#include "db/engine/enginestatements.h"
#include "db/engine/serverstatements.h"

#include <QSqlRecord>
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

// Ends a server statement's result however its use ends.
class Finisher {
  public:
    explicit Finisher(QSqlQuery& query) : query_(query) {}
    ~Finisher() { query_.finish(); }
    Finisher(const Finisher&) = delete;
    Finisher& operator=(const Finisher&) = delete;

  private:
    QSqlQuery& query_;
};

QVector<Row> serverRows(QSqlQuery& query) {
    Finisher finisher(query);
    const int columns = query.record().count();
    QVector<Row> result;
    while (query.next()) {
        Row row(columns);
        for (int i = 0; i < columns; ++i)
            row[i] = serverValue(query, i);
        result.append(std::move(row));
    }
    if (query.lastError().isValid())
        throw databaseError(query.lastError());
    return result;
}

// The file's engine names an INTEGER column that is alone the primary key as the row number.
const char* const kFileColumns =
    "SELECT name, type LIKE '%INT%', "
    "pk = 1 AND upper(type) = 'INTEGER' AND "
    "(SELECT count(*) FROM pragma_table_info(?) WHERE pk > 0) = 1 FROM pragma_table_info(?)";
const char* const kServerColumns =
    "SELECT attname, format_type(atttypid, NULL) IN ('integer', 'bigint', 'smallint'), "
    "attidentity <> '' FROM pg_attribute WHERE attrelid = to_regclass(?) AND "
    "attnum > 0 AND NOT attisdropped ORDER BY attnum";

} // namespace

Statements::Statements(const QSqlDatabase& db) : db_(db) {}

bool Statements::onServer() const {
    return ::onServer(db_);
}

sqlite3_stmt* Statements::bound(const QString& sql, const QVariantList& values) {
    if (!db_.isOpen())
        throw DataErrors::notOpen();
    sqlite3_stmt* statement = cachedStatement(db_, sql);
    bindValues(statement, values);
    return statement;
}

QVector<Row> Statements::rows(const QString& sql, const QVariantList& values) {
    if (onServer())
        return serverRows(runServerStatement(db_, sql, values));
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
    if (onServer()) {
        // A statement's columns do not depend on its values: a list opened again with other
        // values (a search for other letters) is spared the round trip.
        const auto kept = keptCatalogRows(db_, sql, [&] {
            QSqlQuery& query = runServerStatement(db_, sql, values);
            Finisher finisher(query);
            QVector<QVariant> names;
            const QSqlRecord record = query.record();
            for (int i = 0; i < record.count(); ++i)
                names << record.fieldName(i);
            return QVector<QVector<QVariant>>{names};
        });
        QStringList names;
        for (const QVariant& name : kept.value(0))
            names << name.toString();
        return names;
    }
    sqlite3_stmt* statement = bound(sql, values);
    Resetter resetter(statement);
    return ::columnNames(statement);
}

int Statements::write(const QString& sql, const QVariantList& values) {
    if (onServer()) {
        QSqlQuery& query = runServerStatement(db_, sql, values);
        Finisher finisher(query);
        return query.numRowsAffected();
    }
    sqlite3_stmt* statement = bound(sql, values);
    Resetter resetter(statement);
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    if (step != SQLITE_DONE)
        throw engineError(statement, step);
    return sqlite3_changes(sqlite3_db_handle(statement));
}

qint64 Statements::insert(const QString& sql, const QVariantList& values,
                          const QString& keyColumn) {
    return rows(sql + " RETURNING " + keyColumn, values).first().first().toLongLong();
}

QString Statements::holdsExactly(const QString& column, bool integer) const {
    if (onServer())
        return (integer ? column : "(" + column + " COLLATE \"C\")") + " IS NOT DISTINCT FROM ?";
    return column + (integer ? " IS ?" : " IS ? COLLATE BINARY");
}

QVector<TableColumn> Statements::tableColumns(const QString& table) {
    // A server's round trip is kept to once a table for the connection.
    const auto found =
        onServer() ? keptCatalogRows(db_, table, [&] { return rows(kServerColumns, {table}); })
                   : rows(kFileColumns, {table, table});
    QVector<TableColumn> columns;
    for (const Row& row : found)
        columns.append({row[0].toString(), row[1].toBool(), row[2].toBool()});
    return columns;
}
