#include "binding/statements.h"

#include "binding/dataerrors.h"
#include "db/statementcache.h"

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

AppError engineError(sqlite3_stmt* statement, int result) {
    return AppError(result, QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement))));
}

// A null text, an empty variant and a null value all store null, as the SQL layer binds them.
bool isNullValue(const QVariant& value) {
    if (value.isNull())
        return true;
    if (value.typeId() == QMetaType::QString)
        return value.toString().isNull();
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray().isNull();
    return false;
}

int bindValue(sqlite3_stmt* statement, int index, const QVariant& value) {
    if (isNullValue(value))
        return sqlite3_bind_null(statement, index);
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    case QMetaType::Double:
        return sqlite3_bind_double(statement, index, value.toDouble());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob(statement, index, bytes.constData(), int(bytes.size()),
                                 SQLITE_TRANSIENT);
    }
    default: {
        const QByteArray text = value.toString().toUtf8();
        return sqlite3_bind_text(statement, index, text.constData(), int(text.size()),
                                 SQLITE_TRANSIENT);
    }
    }
}

QVariant columnValue(sqlite3_stmt* statement, int column) {
    switch (sqlite3_column_type(statement, column)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(statement, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(statement, column);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, column)),
                          sqlite3_column_bytes(statement, column));
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    default:
        return QString::fromUtf8(
            reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
            sqlite3_column_bytes(statement, column));
    }
}

} // namespace

Statements::Statements(const QSqlDatabase& db) : db_(db) {}

sqlite3_stmt* Statements::bound(const QString& sql, const QVariantList& values) {
    if (!db_.isOpen())
        throw DataErrors::notOpen();
    sqlite3_stmt* statement = cachedStatement(db_, sql);
    for (int i = 0; i < values.size(); ++i) {
        const int result = bindValue(statement, i + 1, values[i]);
        if (result != SQLITE_OK) {
            const AppError error = engineError(statement, result);
            sqlite3_clear_bindings(statement);
            throw error;
        }
    }
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
    QStringList names;
    for (int i = 0; i < sqlite3_column_count(statement); ++i)
        names << QString::fromUtf8(sqlite3_column_name(statement, i)).remove('"');
    return names;
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
