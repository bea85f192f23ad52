#pragma once

#include <QString>

// Builds a new empty database with the full schema in the program directory, keeping the
// previous file as the backup. Returns false when the user keeps an old backup or when any step
// fails (logged, and told to the user).
bool createDatabaseFile(const QString& baseName);

// Builds a database file with the full schema and no rows at a path, replacing what an earlier
// build that was cut off left there. A failure raises AppError.
void buildEmptyDatabaseFile(const QString& path);
