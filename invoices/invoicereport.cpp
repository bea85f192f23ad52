#include "invoices/invoicereport.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "db/clinic/payments.h"
#include "db/clinic/reportrows.h"
#include "db/clinic/savedinvoices.h"
#include "db/clinic/scratchheader.h"
#include "reportengine/reportoutput.h"
#include "reportengine/valueformat.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"
#include "screens/amounttext.h"
#include "settings/appsettings.h"
#include <QCoreApplication>

namespace {

// The invoice number as the database compares it. The number is never part of the query text;
// what would not have been a number there fails as the engine failed on it.
QVariant invoiceNumberValue(const QString& number) {
    const std::optional<QVariant> value = numberValue(number);
    if (!value)
        throw AppError(3075, "Syntax error (missing operator) in query expression '" +
                                 SavedInvoices::kTable + "." + SavedInvoices::kNumber + "=" +
                                 number + "'.");
    return *value;
}

bool isMoney(const QString& name) {
    const QString lower = name.toLower();
    return lower == ScratchHeader::kTotal || lower == ScratchHeader::kPayments ||
           lower == ScratchHeader::kNetDue;
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

RowSet PrepareInvoiceReport(const AppSettingsRecord& settings, const QString& invoiceNumber) {
    const QVariant number = invoiceNumberValue(invoiceNumber.trimmed());
    RowSet rows = invoiceReportRows(settings.databaseLocation(), number);

    Report& report = reportByName("po_rep");
    report.useSideMargins();
    if (rows.rowCount() == 0) {
        showMessage(QCoreApplication::translate("InvoiceReport",
                                                "There is no invoice available to print!"));
        return rows;
    }
    PrepareReport(report, settings);
    fillLabelsFromFirstRow(report, rows);
    markPaymentKind(report, invoiceKind(settings.databaseLocation(), number));
    return rows;
}

void markPaymentKind(Report& report, const std::optional<QString>& kind) {
    const std::pair<QString, QString> marks[] = {{ScratchHeader::kCash, kCashKind},
                                                 {ScratchHeader::kCredit, kCreditKind},
                                                 {ScratchHeader::kPartial, kPartialKind}};
    for (const auto& [labelName, kindName] : marks)
        if (ReportControl* mark = report.control(labelName))
            mark->caption = kind == kindName ? "X" : QString();
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

bool PrintInvoice(const AppSettingsRecord& settings, const QString& invoiceNumber) {
    RowSet rows = PrepareInvoiceReport(settings, invoiceNumber);
    if (rows.rowCount() == 0)
        return false;
    printOrSavePdf(reportByName("po_rep"), rows);
    return true;
}

bool PreviewInvoice(const AppSettingsRecord& settings, const QString& invoiceNumber,
                    QWidget* parent) {
    RowSet rows = PrepareInvoiceReport(settings, invoiceNumber);
    if (rows.rowCount() == 0)
        return false;
    previewReport(reportByName("po_rep"), rows, parent);
    return true;
}
