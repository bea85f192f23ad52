#include "invoices/invoicereport.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "db/connection.h"
#include "invoices/amounttext.h"
#include "reports/preparereport.h"
#include "reports/reportoutput.h"
#include "reports/reportregistry.h"
#include "reports/valueformat.h"
#include "settings/appsettings.h"

namespace {

// The patient is the first file with the invoice's file number, so that a file number that
// two files share cannot print the invoice's lines twice.
const QString kInvoiceQuery =
    "SELECT (SELECT count(id) FROM po_descs AS x WHERE x.po_num = ? AND x.id <= po_descs.id) "
    "AS xxx, per_inf_data.pt_name AS name, per_inf_data.pt_address AS adrr, "
    "pt_sh.file_num AS file_p, pt_sh.po_num AS invo, pt_sh.po_date AS dater, "
    "pt_sh.po_pri AS tot, pt_sh.po_netd AS netd, (pt_sh.po_pri - pt_sh.po_netd) AS paym, "
    "po_descs.descr2, po_descs.amount2, po_descs.code2 "
    "FROM (pt_sh LEFT JOIN po_descs ON pt_sh.po_num = po_descs.po_num) "
    "LEFT JOIN per_inf_data ON per_inf_data.id = "
    "(SELECT min(p.id) FROM per_inf_data AS p WHERE p.file_num = pt_sh.file_num) "
    "WHERE pt_sh.po_num = ? ORDER BY po_descs.id";

// The invoice number as the database compares it. The number is never part of the query text;
// what would not have been a number there fails as the engine failed on it.
QVariant invoiceNumberValue(const QString& number) {
    const std::optional<QVariant> value = numberValue(number);
    if (!value)
        throw AppError(3075, "Syntax error (missing operator) in query expression "
                             "'pt_sh.po_num=" +
                                 number + "'.");
    return *value;
}

bool isMoney(const QString& name) {
    const QString lower = name.toLower();
    return lower == "tot" || lower == "paym" || lower == "netd";
}

QString captionFor(const QString& name, const QVariant& value) {
    if (value.isNull())
        return QString();
    if (!isMoney(name))
        return value.toString();
    const auto amount = numericValue(value);
    return amount ? formatAmount(*amount) : QString();
}

} // namespace

RowSet PrepareInvoiceReport(const QString& invoiceNumber) {
    const QVariant number = invoiceNumberValue(invoiceNumber.trimmed());
    const QSqlDatabase db = openDatabase(pathFromConnectionString(AppSettings().connectionString));
    QSqlQuery query = runQuery(db, kInvoiceQuery, {number, number});
    RowSet rows = RowSet::readAll(query);

    Report& report = reportByName("po_rep");
    report.useSideMargins();
    if (rows.rowCount() == 0) {
        showMessage("There is no invoice available to print!");
        return rows;
    }
    PrepareReport(report);
    fillLabelsFromFirstRow(report, rows);
    return rows;
}

void fillLabelsFromFirstRow(Report& report, const RowSet& rows) {
    if (rows.rowCount() == 0)
        return;
    for (ReportSection& section : report.sections)
        for (ReportControl& control : section.controls) {
            const int column = rows.columnIndex(control.name);
            if (control.kind == ControlKind::Label && column >= 0)
                control.caption = captionFor(control.name, rows.row(0).at(column));
        }
}

bool PrintInvoice(const QString& invoiceNumber) {
    RowSet rows = PrepareInvoiceReport(invoiceNumber);
    if (rows.rowCount() == 0)
        return false;
    printReport(reportByName("po_rep"), rows);
    return true;
}

bool PreviewInvoice(const QString& invoiceNumber, QWidget* parent) {
    RowSet rows = PrepareInvoiceReport(invoiceNumber);
    if (rows.rowCount() == 0)
        return false;
    previewReport(reportByName("po_rep"), rows, parent);
    return true;
}
