#include "db/engine/enginestatements.h"

#include "db/engine/filedialect.h"

#include <QHash>
#include <QSqlDriver>
#include <QVariant>
#include <sqlite3.h>

namespace {

using Prepared = QHash<QString, sqlite3_stmt*>;

// By connection name; the program's connections all live on the one GUI thread.
QHash<QString, Prepared>& cache() {
    static QHash<QString, Prepared> statements;
    return statements;
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

} // namespace

sqlite3* engineHandle(const QSqlDatabase& db) {
    if (!db.isOpen())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}

sqlite3_stmt* prepareStatement(const QSqlDatabase& db, const QString& sql) {
    sqlite3* handle = engineHandle(db);
    if (!handle)
        throw AppError(ErrorNumber::Unexpected, "The database is not open.");
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    const int result =
        sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &statement, nullptr);
    if (result != SQLITE_OK) {
        sqlite3_finalize(statement);
        throw fileEngineError(result, QString::fromUtf8(sqlite3_errmsg(handle)));
    }
    return statement;
}

sqlite3_stmt* cachedStatement(const QSqlDatabase& db, const QString& sql) {
    Prepared& prepared = cache()[db.connectionName()];
    sqlite3_stmt*& statement = prepared[sql];
    if (!statement)
        statement = prepareStatement(db, sql);
    return statement;
}

void finalizeStatements(const QString& connectionName) {
    const Prepared prepared = cache().take(connectionName);
    for (sqlite3_stmt* statement : prepared)
        sqlite3_finalize(statement);
}

void bindValues(sqlite3_stmt* statement, const QVariantList& values) {
    for (int i = 0; i < values.size(); ++i) {
        const int result = bindValue(statement, i + 1, values[i]);
        if (result != SQLITE_OK) {
            const AppError error = engineError(statement, result);
            sqlite3_clear_bindings(statement);
            throw error;
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

QStringList columnNames(sqlite3_stmt* statement) {
    QStringList names;
    for (int i = 0; i < sqlite3_column_count(statement); ++i)
        names << QString::fromUtf8(sqlite3_column_name(statement, i)).remove('"');
    return names;
}

AppError engineError(sqlite3_stmt* statement, int result) {
    return fileEngineError(result, QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement))));
}
