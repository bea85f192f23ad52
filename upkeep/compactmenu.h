#pragma once

struct AppSettingsRecord;

// Compacts the current database in place and tells the user how it went. The program goes on
// working after a failure.
void compactDatabase(const AppSettingsRecord& settings);
