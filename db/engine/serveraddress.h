#pragma once

#include <QString>
#include <optional>

// Where a database on a PostgreSQL server is reached, as a libpq connection URI gives it:
// postgresql://user@host:5432/korvel?sslmode=require, or
// postgresql://user@/korvel?host=/socket/dir&port=5433. Every option of the client library is
// kept as given (sslmode, sslrootcert, connect_timeout, application_name...), but a password never
// is: the client library reads it from ~/.pgpass (or PGPASSFILE).
struct ServerAddress {
    QString host; // a name, an address, or the directory of a Unix socket; empty: the default
    int port = 5432;
    QString database;
    QString user;
    // The whole address as the client library's keyword='value' pairs.
    QString options;

    // "korvel on /run/postgresql:5432 as clinic", for messages.
    QString describe() const;
};

// True when the text names a server rather than a database file.
bool isServerUri(const QString& text);
// True when the address carries a password.
bool holdsPassword(const QString& uri);
// The address in a connection URI; nothing when the client library cannot read it, when it names
// no database, or when it holds a password.
std::optional<ServerAddress> parseServerUri(const QString& uri);
