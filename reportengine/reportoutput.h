#pragma once

#include "reportengine/reportcsv.h"
#include "reportengine/reportdefinition.h"

class LazyReport;
class QWidget;
class RowSource;

// The three ways out of a report: a modal preview (from which the pages can also be printed or
// saved as PDF), the default printer without a dialog, and a PDF file. Pages are laid out into a
// temporary file and drawn from there one at a time; long work shows its progress over the owner
// window and can be cancelled. Failures raise AppError and leave nothing half done on the
// screen; the data are never touched.

// The runtime's "Printer error".
constexpr int kPrinterErrorNumber = 482;
// "Path/File access error".
constexpr int kFileErrorNumber = 75;

// Shows the report modally, titled with its caption, as soon as its first page is laid out.
// Given a way to read the rows again, the preview also exports the report's list as CSV.
void previewReport(const Report& report, RowSource& rows, QWidget* parent = nullptr,
                   RowsAgain rowsAgain = {});

// Sends every page to the default printer. With no printer the rows are not read and nothing is
// sent; a job cancelled while it is laid out sends nothing, one cancelled while its pages are
// drawn sends nothing more.
void printReport(const Report& report, RowSource& rows, QWidget* owner = nullptr);
void printPages(LazyReport& report, QWidget* owner = nullptr);
// The same where a printer is set up; where none is, offers to save the same pages as a PDF file.
void printOrSavePdf(const Report& report, RowSource& rows, QWidget* owner = nullptr);

// A cancelled export leaves no file.
void savePdf(LazyReport& report, const QString& path, QWidget* owner = nullptr);
