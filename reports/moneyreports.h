#pragma once

#include "db/clinic/reportrows.h"

#include <QString>

struct AppSettingsRecord;
class QWidget;

// The reports on the money received, under the current letterhead.

// The cash book of the day, month or year that the text names, as the periodic reports dialog
// holds it: in a modal preview (from which it can be printed or saved as PDF) or straight to the
// default printer.
void produceCashBook(const AppSettingsRecord& settings, ReportPeriod period, const QString& text,
                     bool toPrinter, QWidget* owner);

// The statement of the patient file with this number, in a modal preview.
void previewStatement(const AppSettingsRecord& settings, const QString& fileNumber,
                      QWidget* parent);
