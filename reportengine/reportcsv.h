#pragma once

#include "reportengine/reportdefinition.h"

#include <QVector>
#include <functional>
#include <memory>

class Progress;
class RowSource;

// The rows of a report, read anew for a second way out (the CSV file beside the preview).
using RowsAgain = std::function<std::unique_ptr<RowSource>()>;

// A report's list as CSV (see core/csvfile.h): one column for each text box of the detail
// section, left to right, under the heading that stands above it in the page header. Values as
// the report shows them, but amounts as the whole numbers stored and dates as the text stored.
struct ReportColumn {
    QString field;
    QString title;
    ValueFormat format = ValueFormat::Plain;
};
QVector<ReportColumn> reportColumns(const Report& report);

// Writes every row; true when written, false when the user cancelled, which leaves no file. A
// failure raises AppError and leaves no file either.
bool exportReportRows(const Report& report, RowSource& rows, const QString& path,
                      Progress& progress);
