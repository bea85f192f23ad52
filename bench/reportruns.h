#pragma once

#include "reports/pages.h"

#include <QString>
#include <QVariantList>

// The income reports as the program produces them: the report's query on the program's
// connection, laid out into pages, and those pages written as a PDF file.

// One period's report ("rep_day" for the day "15/06/2026" in po_date, ...).
struct ReportRun {
    QString report;
    QString query;
    QVariantList values;
};
ReportRun periodReport(const QString& report, const QString& column, const QString& period);
// The annual report's layout over exactly `rows` invoices, the first ones by number.
ReportRun invoicesReport(qint64 rows);

LaidOutReport layOut(const ReportRun& run);
// Lays out and writes the PDF; returns its page count.
int writePdf(const ReportRun& run, const QString& path);
