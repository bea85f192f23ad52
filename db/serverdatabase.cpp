#include "db/serverdatabase.h"

#include "core/apperror.h"
#include "db/connection.h"
#include "db/createdb.h"
#include "db/serveraddress.h"

#include <QCoreApplication>
#include <QUrl>
#include <QUrlQuery>

ServerCheck checkServerDatabase(const QString& uri) {
    try {
        ScopedDatabase database(uri);
        return {holdsClinicTables(database.db()) ? ServerDatabaseState::Ready
                                                 : ServerDatabaseState::Empty,
                QString()};
    } catch (const AppError& error) {
        return {ServerDatabaseState::Unreachable, error.description()};
    }
}

void createClinicTablesOn(const QString& uri) {
    ScopedDatabase database(uri);
    inTransaction(database.db(), [&] { createServerTables(database.db()); });
}

void vacuumServerDatabase(const QString& uri) {
    ScopedDatabase database(uri);
    runQuery(database.db(), "VACUUM ANALYZE");
}

QString unusableServerAddress(const QString& uri) {
    // Asked first: the other answer repeats the address, which must not show a password.
    if (!QUrl(uri).password().isEmpty() || QUrlQuery(QUrl(uri)).hasQueryItem("password"))
        return QCoreApplication::translate(
            "Database", "The password is never kept in the settings: put it in the file ~/.pgpass "
                        "(host:port:database:user:password) and give the address without it.");
    if (!parseServerUri(uri))
        return QCoreApplication::translate("Database", "'%1' is not a server address such as "
                                                       "postgresql://clinic@dbhost:5432/korvel.")
            .arg(uri);
    return QString();
}
