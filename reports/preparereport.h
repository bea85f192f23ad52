#pragma once

struct AppSettingsRecord;
struct Report;

// Sets the report's left and right margins to 300 twips, lets every label grow to fit its text
// and writes the letterhead of the settings into the labels named after it (letter case aside).
void PrepareReport(Report& report, const AppSettingsRecord& settings);
