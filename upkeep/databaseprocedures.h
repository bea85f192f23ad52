#pragma once

#include <QString>

struct AppSettingsRecord;

// The database procedures as the clinic meets them: the file work of the storage layer, and the
// letterhead that a new or converted database resets.

// Creates a new database in the program directory (the previous one kept as the backup) and
// sets the letterhead to the texts that ask for the clinic's own. False when it was not created.
bool CreateDB(AppSettingsRecord& settings, const QString& baseName, const QString& password);

// Brings the database of the settings up to date. One of the older layout, once converted, gets
// the built-in letterhead and the user is told.
void UpgradeDB(AppSettingsRecord& settings);
