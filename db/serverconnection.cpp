#include "db/serverconnection.h"

#include "core/apperror.h"
#include "db/connection.h"

#include <QCoreApplication>
#include <QSqlError>

namespace {
constexpr int kServerUnreachable = 3704;
}

QSqlDatabase openServerConnection(const QString& name, const ServerAddress& address) {
    // Qt's own words would be only "Driver not loaded": the driver is a package of its own.
    if (!QSqlDatabase::isDriverAvailable("QPSQL"))
        throw AppError(kServerUnreachable,
                       QCoreApplication::translate(
                           "Database", "Could not reach the database %1: Qt's PostgreSQL driver is "
                                       "not installed. Install the package libqt6sql6-psql "
                                       "(sudo apt install libqt6sql6-psql) and try again.")
                           .arg(address.describe()));
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", name);
    db.setHostName(address.host);
    db.setPort(address.port);
    db.setDatabaseName(address.database);
    db.setUserName(address.user);
    if (!db.open()) {
        // The client library's own words, without the driver's line under them.
        const QString reason = db.lastError().databaseText().section('\n', 0, 0);
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw AppError(kServerUnreachable, QCoreApplication::translate(
                                               "Database", "Could not reach the database %1: %2")
                                               .arg(address.describe(), reason.trimmed()));
    }
    return db;
}

void useOwnWorkingTables(const QSqlDatabase& db) {
    // A database made empty for a copy has no tables yet to take the form of.
    QSqlQuery shared = runQuery(db, "SELECT to_regclass('public.po_desc') IS NOT NULL");
    if (!shared.next() || !shared.value(0).toBool())
        return;
    for (const QString table : {"po_desc", "inv_rep_data"})
        runQuery(db, "CREATE TEMPORARY TABLE IF NOT EXISTS " + table + " (LIKE public." + table +
                         " INCLUDING ALL)");
}
