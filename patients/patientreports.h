#pragma once

#include <QString>

struct AppSettingsRecord;
class QWidget;

// Prints the personal information sheet of the files with this number to the default printer
// (or, with none, offers to save it as a PDF file).
void printPatientSheet(const AppSettingsRecord& settings, const QString& fileNumber);
// Shows the count of patients by nationality in a modal preview with the current letterhead.
void previewNationalityCount(const AppSettingsRecord& settings, QWidget* parent);
