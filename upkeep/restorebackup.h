#pragma once

#include <QString>

struct AppSettingsRecord;

// Puts one of the backups in the place of the current database: the copy is checked, the current
// database is backed up first, and then every screen and report is bound to the restored file,
// as after a change of database. A failure raises AppError with a text for the user; the current
// database then stays as it was and the screens are bound to it again.
void restoreBackup(AppSettingsRecord& settings, const QString& copy);
