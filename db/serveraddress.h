#pragma once

#include <QString>
#include <optional>

// Where a database on a PostgreSQL server is reached, as a libpq connection URI gives it:
// postgresql://user@host:5432/korvel, or postgresql://user@/korvel?host=/socket/dir&port=5433.
// No password is kept: the server's client library reads it from ~/.pgpass (or PGPASSFILE).
struct ServerAddress {
    QString host; // a name, an address, or the directory of a Unix socket; empty: the default
    int port = 5432;
    QString database;
    QString user;

    // "korvel on /run/postgresql:5432 as clinic", for messages.
    QString describe() const;
};

// True when the text names a server rather than a database file.
bool isServerUri(const QString& text);
// The address in a connection URI; nothing when the URI names no database.
std::optional<ServerAddress> parseServerUri(const QString& uri);
