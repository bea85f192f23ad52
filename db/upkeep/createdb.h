#pragma once

#include "db/upkeep/copylayout.h"

#include <QSqlDatabase>
#include <QString>

// Builds a new empty database with the full schema in the program directory, keeping the
// previous file as the backup. Returns false when the user keeps an old backup or when any step
// fails (logged, and told to the user).
bool createDatabaseFile(const QString& baseName);

// At start-up: a creation cut off by a crash after the previous database took the backup name
// is completed, the new file put in place; what a creation cut off earlier left is removed, the
// previous database being still in place then. True when the creation was completed. A failure
// raises AppError.
bool finishInterruptedCreation(const QString& baseName);

// Builds a database file with the full schema and no rows at a path, replacing what an earlier
// build that was cut off left there. A failure raises AppError.
void buildEmptyDatabaseFile(const QString& path);

// The same with the layout of a file from outside, older or current, for its rows to be copied
// into. A failure raises AppError.
void buildDatabaseFileLike(const QString& path, const FileLayout& layout);

// Makes the clinic's tables in an empty database on a server, in the caller's transaction. A
// failure raises AppError.
void createServerTables(const QSqlDatabase& db);
// True when a server's database already holds the clinic's tables.
bool holdsClinicTables(const QSqlDatabase& db);
