#pragma once

struct AppSettingsRecord;

// Points every report and screen at the current database and settings: the letterhead into the
// reports and the main window, every data source of every screen bound and refreshed. Failures
// are logged and the next step runs.
void SetDefaults(const AppSettingsRecord& settings);
