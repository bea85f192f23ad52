#pragma once

struct AppSettingsRecord;

// Tells the screen registry how each screen of the program is made. The screens work with these
// settings, which outlive them.
void registerScreens(AppSettingsRecord& settings);
