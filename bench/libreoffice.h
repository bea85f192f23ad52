#pragma once

#include "childrun.h"

// LibreOffice Calc, headless, as the yardstick of the PDF report: the same invoices as a CSV
// file converted to PDF.

// True when the soffice program is on the PATH.
bool libreOfficeAvailable();
// Writes the invoices that the condition ("fyear = ?") selects with the value, the annual
// report's columns in the order of their numbers, as CSV.
void writeInvoicesCsv(const QString& databasePath, const QString& condition, const QVariant& value,
                      const QString& path);
// Converts the CSV to PDF in outputDir with a profile of the benchmark's own.
ChildRun convertToPdf(const QString& csvPath, const QString& outputDir, const QString& profileDir);
