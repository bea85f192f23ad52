#pragma once

struct AppSettingsRecord;
class QWidget;

// The Settings menu's items for the database's backups.

// Backs the database up at once and tells where the copy went.
void backUpNow(const AppSettingsRecord& settings);
// Lists the backups with what each holds, and puts the chosen one in the place of the database.
void restoreFromBackup(AppSettingsRecord& settings);
// Lets the user choose the folder the backups go to (a USB disk, another computer's share).
void chooseBackupsFolder(AppSettingsRecord& settings, QWidget* owner);
