#pragma once

struct AppSettingsRecord;
class QWidget;

// Lets the user choose the directory of the report files; a directory without all of them is
// refused and the setting stays as it was.
void changeReportsLocation(AppSettingsRecord& settings, QWidget* owner);
