#include "db/statementcache.h"

#include "core/apperror.h"

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

} // namespace

sqlite3* engineHandle(const QSqlDatabase& db) {
    if (!db.isOpen())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}

sqlite3_stmt* cachedStatement(const QSqlDatabase& db, const QString& sql) {
    Prepared& prepared = cache()[db.connectionName()];
    if (sqlite3_stmt* statement = prepared.value(sql))
        return statement;
    sqlite3* handle = engineHandle(db);
    if (!handle)
        throw AppError(ErrorNumber::Unexpected, "The database is not open.");
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    const int result =
        sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &statement, nullptr);
    if (result != SQLITE_OK) {
        sqlite3_finalize(statement);
        throw AppError(result, QString::fromUtf8(sqlite3_errmsg(handle)));
    }
    prepared.insert(sql, statement);
    return statement;
}

void finalizeStatements(const QString& connectionName) {
    const Prepared prepared = cache().take(connectionName);
    for (sqlite3_stmt* statement : prepared)
        sqlite3_finalize(statement);
}
