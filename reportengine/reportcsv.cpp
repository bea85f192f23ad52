#include "reportengine/reportcsv.h"

#include "core/apperror.h"
#include "core/csvfile.h"
#include "core/dialogs.h"
#include "db/engine/rowsource.h"
#include "reportengine/valueformat.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>

namespace {

// Rows between two looks at the progress window.
constexpr qint64 kRowsPerStep = 4096;

int overlap(const QRect& a, const QRect& b) {
    return std::min(a.right(), b.right()) - std::max(a.left(), b.left());
}

// The heading of a column is the lowest label of the page header over the box: the letterhead
// and title above it span the page.
QString headingAbove(const Report& report, const ReportControl& box) {
    const ReportControl* best = nullptr;
    for (const ReportControl& control : report.sections[PageHeader].controls) {
        if (control.kind != ControlKind::Label || overlap(control.rect, box.rect) <= 0)
            continue;
        if (!best || std::make_pair(control.rect.top(), overlap(control.rect, box.rect)) >
                         std::make_pair(best->rect.top(), overlap(best->rect, box.rect)))
            best = &control;
    }
    return best ? best->caption : box.dataField;
}

int columnOf(const RowSource& rows, const QString& field) {
    const QStringList columns = rows.columns();
    for (int i = 0; i < columns.size(); ++i) {
        if (columns[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    throw AppError(ErrorNumber::Unexpected, "The report has no field " + field + ".");
}

QString shown(const QVariant& value, ValueFormat format) {
    switch (format) {
    case ValueFormat::YesNo:
        return displayValue(value, format, QString());
    case ValueFormat::Amount:
        return value.toString();
    default:
        return csvCell(value);
    }
}

} // namespace

QVector<ReportColumn> reportColumns(const Report& report) {
    std::vector<ReportControl> boxes;
    for (const ReportControl& control : report.sections[Detail].controls) {
        if (control.kind == ControlKind::TextBox)
            boxes.push_back(control);
    }
    std::stable_sort(boxes.begin(), boxes.end(),
                     [](const ReportControl& a, const ReportControl& b) {
                         return a.rect.left() < b.rect.left();
                     });
    // A mirrored report's columns run right to left: the file keeps the reading order.
    if (report.rightToLeft)
        std::reverse(boxes.begin(), boxes.end());
    QVector<ReportColumn> columns;
    for (const ReportControl& box : boxes)
        columns.append({box.dataField, headingAbove(report, box), box.format});
    return columns;
}

bool exportReportRows(const Report& report, RowSource& rows, const QString& path,
                      Progress& progress) {
    const QVector<ReportColumn> columns = reportColumns(report);
    QVector<int> fields;
    QStringList titles;
    for (const ReportColumn& column : columns) {
        fields << columnOf(rows, column.field);
        titles << column.title;
    }
    CsvFile file(path);
    file.writeRow(titles);
    for (qint64 done = 1; rows.next(); ++done) {
        QStringList row;
        for (int i = 0; i < columns.size(); ++i)
            row << shown(rows.value(fields[i]), columns[i].format);
        file.writeRow(row);
        if (done % kRowsPerStep == 0 &&
            !progress.advance(QCoreApplication::translate("CsvExport", "Exporting %1 rows")
                                  .arg(QLocale(QLocale::English).toString(done)),
                              int(done), 0))
            return false;
    }
    file.commit();
    return true;
}
