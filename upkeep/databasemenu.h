#pragma once

struct AppSettingsRecord;

// Moves the program to the database in another directory chosen by the user: checked, stored,
// upgraded where needed, and every screen and report bound to it without a restart.
void changeDatabaseDirectory(AppSettingsRecord& settings);
