#pragma once

#include "core/apperror.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

// Statements run on the engine's own interface, for the reads that are the bulk of the program's
// work: Qt's SQL layer rebuilds a column record for every run and converts every value through its
// own cache. Values go in and come out as that layer passes them: whole numbers as 64-bit
// integers, text as text, and null as a null text.

// The engine's handle under a connection; null when the connection is not an open SQLite one.
sqlite3* engineHandle(const QSqlDatabase& db);

// A statement prepared for one use, which the caller finalizes. A statement the engine cannot
// prepare raises its number and text.
sqlite3_stmt* prepareStatement(const QSqlDatabase& db, const QString& sql);

// A statement prepared once on a connection and kept, reset, for the next use with new values.
// The caller reads it and resets it before returning, so that no read keeps the file locked.
sqlite3_stmt* cachedStatement(const QSqlDatabase& db, const QString& sql);

// The engine refuses to close a connection that still holds prepared statements: every path
// that closes one lets go of its statements first.
void finalizeStatements(const QString& connectionName);

// Binds the values to the statement's placeholders, in order.
void bindValues(sqlite3_stmt* statement, const QVariantList& values);
// A value of the statement's current row.
QVariant columnValue(sqlite3_stmt* statement, int column);
// The names of the statement's result columns.
QStringList columnNames(sqlite3_stmt* statement);
// The engine's number and text for a step that failed with the result.
AppError engineError(sqlite3_stmt* statement, int result);
