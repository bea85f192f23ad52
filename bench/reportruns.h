#pragma once

#include "db/clinic/reportrows.h"
#include "reportengine/pages.h"

#include <QString>
#include <functional>
#include <memory>

// The income reports as the program produces them: the report's rows as the program reads them,
// laid out into pages, and those pages written as a PDF file.

struct ReportRun {
    QString report;
    std::function<std::unique_ptr<RowSource>()> rows;
};
// One period's report ("rep_day" for the day "15/06/2026", ...), on the program's own query.
ReportRun periodReport(const QString& report, ReportPeriod period, const QString& text);
// The annual report's layout over exactly `rows` invoices, the first ones by number.
ReportRun invoicesReport(qint64 rows);

LaidOutReport layOut(const ReportRun& run);
// Lays out the first page only, as the preview does before it shows anything.
void layOutFirstPage(const ReportRun& run);
// Lays out and writes the PDF; returns its page count.
int writePdf(const ReportRun& run, const QString& path);
