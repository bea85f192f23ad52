#include "db/engine/serverconnection.h"

#include "core/apperror.h"
#include "db/engine/connection.h"
#include "db/engine/statements.h"

#include <QCoreApplication>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <postgresql/libpq-fe.h>

namespace {

constexpr int kServerUnreachable = 3704;

// Where each connection was opened, for saying which server could not be reached again.
QHash<QString, QString>& described() {
    static QHash<QString, QString> addresses;
    return addresses;
}

AppError unreachable(const QSqlDatabase& db, const QString& address) {
    // The client library's own words, without the driver's line under them.
    const QString reason = db.lastError().databaseText().section('\n', 0, 0);
    return AppError(kServerUnreachable,
                    QCoreApplication::translate("Database", "Could not reach the database %1: %2")
                        .arg(address, reason.trimmed()),
                    ErrorKind::ConnectionLost);
}

void discardNotice(void*, const char*) {}

// The server's notices (that it is shutting down, under a session that then fails) would go to
// standard error; what matters of them reaches the user as the failure of the statement.
void withoutNotices(const QSqlDatabase& db) {
    if (PGconn* connection = clientConnection(db))
        PQsetNoticeProcessor(connection, discardNotice, nullptr);
}

} // namespace

PGconn* clientConnection(const QSqlDatabase& db) {
    // The driver's handle holds the client library's connection, its type known by another name.
    const QVariant handle = db.driver() ? db.driver()->handle() : QVariant();
    if (db.driverName() != "QPSQL" || !handle.isValid())
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
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
    db.setConnectOptions(address.options);
    if (!db.open()) {
        const AppError error = unreachable(db, address.describe());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        throw error;
    }
    withoutNotices(db);
    described().insert(name, address.describe());
    return db;
}

void reopenServerConnection(QSqlDatabase& db) {
    if (!db.open())
        throw unreachable(db, described().value(db.connectionName()));
    withoutNotices(db);
}

void useOwnWorkingTables(const QSqlDatabase& db) {
    // A database made empty for a copy has no tables yet to take the form of.
    Statements statements(db);
    if (!statements.value("SELECT to_regclass('public.po_desc') IS NOT NULL").toBool())
        return;
    for (const QString table : {"po_desc", "inv_rep_data"})
        statements.runOnce("CREATE TEMPORARY TABLE IF NOT EXISTS " + table + " (LIKE public." +
                           table + " INCLUDING ALL)");
}
