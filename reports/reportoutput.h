#pragma once

#include "reports/pages.h"
#include "reports/reportdefinition.h"

class QWidget;
class RowSource;

// The three ways out of a report: a modal preview (from which the pages can also be printed or
// saved as PDF), the default printer without a dialog, and a PDF file. Failures raise AppError
// and leave nothing half done on the screen; the data are never touched.

// The runtime's "Printer error".
constexpr int kPrinterErrorNumber = 482;
// "Path/File access error".
constexpr int kFileErrorNumber = 75;

// Lays the report out over the rows and shows it modally, titled with its caption.
void previewReport(const Report& report, RowSource& rows, QWidget* parent = nullptr);

// Sends every page to the default printer, laying out as it prints. With no printer the rows
// are not read and nothing is sent.
void printReport(const Report& report, RowSource& rows);
void printPages(const LaidOutReport& report);

void savePdf(const LaidOutReport& report, const QString& path);
