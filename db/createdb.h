#pragma once

#include <QString>

// Builds a new empty database with the full schema in the program directory, keeping the
// previous file as the backup. Returns false when the user keeps an old backup or when any step
// fails (logged, and told to the user).
bool createDatabaseFile(const QString& baseName);
