#pragma once

#include <QString>

// Builds a new empty database with the full schema in the program directory, keeping the
// previous file as the backup. Resets the letterhead to prompt texts. Returns false when the user
// keeps an old backup or when any step fails (logged, and told to the user).
bool CreateDB(const QString& baseName, const QString& password);
