#pragma once

struct AppSettingsRecord;
class QString;
struct Report;

// Sets the report's left and right margins to 300 twips, lets every label grow to fit its text
// and writes the letterhead of the settings into the labels named after it (letter case aside).
void PrepareReport(Report& report, const AppSettingsRecord& settings);

// The program's instance of the named report, prepared with the letterhead as it stands now, so
// that a letterhead changed in the menus reaches the next report produced.
Report& preparedReport(const QString& name, const AppSettingsRecord& settings);
