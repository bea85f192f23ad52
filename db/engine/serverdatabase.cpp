#include "db/engine/serverdatabase.h"

#include "core/apperror.h"
#include "db/clinic/invoicecounter.h"
#include "db/engine/connection.h"
#include "db/engine/serveraddress.h"
#include "db/engine/statements.h"
#include "db/upkeep/createdb.h"

#include <QCoreApplication>

ServerCheck checkServerDatabase(const QString& uri) {
    try {
        ScopedDatabase database(uri);
        if (!holdsClinicTables(database.db()))
            return {ServerDatabaseState::Empty, QString()};
        addInvoiceCounter(database.db());
        return {ServerDatabaseState::Ready, QString()};
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
    Statements(database.db()).runOnce("VACUUM ANALYZE");
}

QString unusableServerAddress(const QString& uri) {
    // Asked first: the other answer repeats the address, which must not show a password.
    if (holdsPassword(uri))
        return QCoreApplication::translate(
            "Database", "The password is never kept in the settings: put it in the file ~/.pgpass "
                        "(host:port:database:user:password) and give the address without it.");
    if (!parseServerUri(uri))
        return QCoreApplication::translate("Database", "'%1' is not a server address such as "
                                                       "postgresql://clinic@dbhost:5432/korvel.")
            .arg(uri);
    return QString();
}
