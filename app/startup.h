#pragma once

struct AppSettingsRecord;

// The start-up sequence: error log, settings, a valid database (created or picked), upgrade and
// defaults, filling the settings of the run. Returns true when the main window is to be shown,
// false when the program must end.
bool StartUp(AppSettingsRecord& settings);

// True when database record sets can be opened at all; a failure is logged.
bool DatabaseEngineAvailable();
