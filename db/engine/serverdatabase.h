#pragma once

#include <QString>

// What a server database named by its connection URI holds, as the program meets it at start-up
// or when the user chooses it.
enum class ServerDatabaseState {
    Ready,       // the clinic's tables
    Empty,       // reachable, without the clinic's tables
    Unreachable, // the server did not answer, refused the user, or has no such database
};

struct ServerCheck {
    ServerDatabaseState state;
    QString why; // for an unreachable one: which server and why, in the client library's words
};

// A database that an earlier version made is given what this one adds.
ServerCheck checkServerDatabase(const QString& uri);

// Makes the clinic's tables in an empty server database, all or none. A failure raises AppError.
void createClinicTablesOn(const QString& uri);

// What compaction is on a server: its storage reclaimed and its planner's statistics renewed.
// A failure raises AppError.
void vacuumServerDatabase(const QString& uri);

// Why the address cannot be kept in the settings; empty when it can. The password never is: the
// server's client library reads it from ~/.pgpass or the file PGPASSFILE names.
QString unusableServerAddress(const QString& uri);
