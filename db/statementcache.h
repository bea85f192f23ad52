#pragma once

#include <QSqlDatabase>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// The engine's handle under a connection; null when the connection is not an open SQLite one.
sqlite3* engineHandle(const QSqlDatabase& db);

// A statement prepared once on a connection and kept, reset, for the next use with new values.
// The caller reads it and resets it before returning, so that no read keeps the file locked.
// A statement the engine cannot prepare raises its number and text.
sqlite3_stmt* cachedStatement(const QSqlDatabase& db, const QString& sql);

// The engine refuses to close a connection that still holds prepared statements: every path
// that closes one lets go of its statements first.
void finalizeStatements(const QString& connectionName);
