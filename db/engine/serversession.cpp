#include "db/engine/serversession.h"

#include "db/engine/serverconnection.h"
#include "db/engine/serverstatements.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <postgresql/libpq-fe.h>

namespace {

// By connection name, on the one GUI thread.
QHash<QString, int>& sessions() {
    static QHash<QString, int> numbers;
    return numbers;
}

QSet<QString>& inTransactions() {
    static QSet<QString> names;
    return names;
}

} // namespace

int sessionOf(const QSqlDatabase& db) {
    return sessions().value(db.connectionName());
}

void reachClosedSession(const QSqlDatabase& db) {
    if (!db.isOpen())
        renewSession(db);
}

void noteTransaction(const QSqlDatabase& db, bool open) {
    if (open)
        inTransactions().insert(db.connectionName());
    else
        inTransactions().remove(db.connectionName());
}

bool outsideTransaction(const QSqlDatabase& db) {
    return !inTransactions().contains(db.connectionName());
}

bool sessionLost(const QSqlDatabase& db) {
    PGconn* connection = clientConnection(db);
    if (!connection)
        return true;
    // The client library may take a session for sound until it tries it once more after the
    // failure: one round trip, only when something failed.
    if (PQstatus(connection) == CONNECTION_OK)
        PQclear(PQexec(connection, "SELECT 1"));
    return PQstatus(connection) == CONNECTION_BAD;
}

void renewSession(const QSqlDatabase& db) {
    QSqlDatabase connection = db;
    // The statements kept for the old session name prepared statements it took with it.
    dropDeadServerQueries(connection.connectionName());
    connection.close();
    noteTransaction(connection, false);
    ++sessions()[connection.connectionName()];
    reopenServerConnection(connection);
    useOwnWorkingTables(connection);
}

AppError lostWithSession(const AppError& error) {
    return AppError(error.number(),
                    QCoreApplication::translate(
                        "Database", "The connection to the database server was lost (%1). It has "
                                    "been made again, but this was not saved: please try again.")
                        .arg(error.description()),
                    ErrorKind::ConnectionLost);
}
