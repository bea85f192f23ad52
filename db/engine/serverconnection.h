#pragma once

#include "db/engine/serveraddress.h"

#include <QSqlDatabase>
#include <QString>

// Opens a connection to a database on a PostgreSQL server under the name. An unreachable server
// raises AppError saying which server and why.
QSqlDatabase openServerConnection(const QString& name, const ServerAddress& address);
// Opens the closed connection again, at the address it was opened at first.
void reopenServerConnection(QSqlDatabase& db);

struct pg_conn;
// The client library's connection under a server's connection; null for another engine's.
pg_conn* clientConnection(const QSqlDatabase& db);

// Gives the connection working tables of its own (the invoice being written and its printout),
// which hide the shared ones for the session, so that two desks writing invoices at once never
// see or delete each other's lines.
void useOwnWorkingTables(const QSqlDatabase& db);
