// The two reports on the money received: the cash book of a period and a patient's statement.
#include "reports/layouts.h"

#include "db/clinic/patientfiles.h"
#include "db/clinic/paymentreports.h"
#include "db/clinic/savedinvoices.h"
#include "reportengine/pages.h"
#include "reportengine/reportparts.h"
#include "reports/letterhead.h"
#include <QCoreApplication>

namespace {

const ReportFont kHeading = timesNewRoman(9.75, true);
const ReportFont kValue = timesNewRoman(11);
const ReportFont kTotal = timesNewRoman(11, true);
constexpr int kRow = 270;

struct Column {
    const char* heading;
    QString field;
    int width;
    bool money;
    bool storedWord = false;
};

ReportControl amount(ReportControl control) {
    control.format = ValueFormat::Amount;
    return control;
}

// The headings at `top` of the page header and a text box per column in the detail.
void addColumns(Report& report, int top, const std::vector<Column>& columns) {
    int left = 0;
    int number = 1;
    for (const Column& column : columns) {
        const QString n = QString::number(number++);
        const Qt::Alignment alignment = column.money ? Qt::AlignRight : Qt::AlignLeft;
        report.sections[PageHeader].controls.push_back(
            label("Label" + n, QCoreApplication::translate("ReportLayouts", column.heading),
                  QRect(left, top, column.width - 60, 230), kHeading, alignment));
        ReportControl box = textBox("Text" + n, column.field,
                                    QRect(left, 30, column.width - 60, kRow), kValue, alignment);
        // A long name or entry takes a second line rather than being cut.
        box.canGrow = !column.money;
        if (column.storedWord)
            box.format = ValueFormat::StoredWord;
        report.sections[Detail].controls.push_back(column.money ? amount(box) : box);
        left += column.width;
    }
    report.sections[PageHeader].controls.push_back(rule("Line2", 0, top + 260, report.width));
    report.sections[PageHeader].height = top + 330;
    report.sections[Detail].height = kRow + 60;
}

// Footer lines "caption  sum" at the right, the last one bold.
void addTotals(Report& report, const std::vector<std::pair<QString, QString>>& totals) {
    ReportSection& footer = report.sections[ReportFooter];
    footer.controls.push_back(rule("Line3", 0, 60, report.width));
    // Wide enough for the sum of a year of a large clinic, to the unit.
    const int sumWidth = 3000;
    const int sumLeft = report.width - sumWidth;
    const int captionWidth = 2900;
    int top = 150;
    int number = 1;
    for (size_t i = 0; i < totals.size(); ++i) {
        const bool last = i + 1 == totals.size();
        const ReportFont font = last ? kTotal : kValue;
        const QString n = QString::number(number++);
        footer.controls.push_back(label("Total" + n, totals[i].first,
                                        QRect(sumLeft - captionWidth, top, captionWidth, kRow),
                                        font, Qt::AlignRight));
        footer.controls.push_back(
            amount(sumOf("Function" + n, totals[i].second, QRect(sumLeft, top, sumWidth - 60, kRow),
                         font, Qt::AlignRight)));
        top += kRow + 40;
    }
    footer.height = top + 100;
}

// "Page N of M" at the foot of every page.
void addPageOfPages(Report& report) {
    ReportSection& footer = report.sections[PageFooter];
    footer.controls.push_back(
        label(kPageOfPagesControl, QCoreApplication::translate("ReportLayouts", "Page %1 of %2"),
              QRect(0, 100, report.width, 270), timesNewRoman(10), Qt::AlignHCenter));
    footer.height = 400;
}

} // namespace

Report cashBookLayout() {
    Report report =
        emptyReport("cashbook", QCoreApplication::translate("ReportLayouts", "Cash Book"), 10305);
    int top = addLetterhead(report, "cashbooktitle", report.caption);
    report.sections[PageHeader].controls.push_back(
        label("period", "period", QRect(0, top, 6000, 300), timesNewRoman(12, true)));
    report.sections[PageHeader].controls.push_back(label("printed", QString(),
                                                         QRect(6000, top, report.width - 6000, 300),
                                                         timesNewRoman(10), Qt::AlignRight));
    top += 400;
    addColumns(
        report, top,
        {{QT_TRANSLATE_NOOP("ReportLayouts", "Date"), CashBookColumns::kDate, 1300, false},
         {QT_TRANSLATE_NOOP("ReportLayouts", "Invoice No"), SavedInvoices::kNumber, 1100, false},
         {QT_TRANSLATE_NOOP("ReportLayouts", "File No"), SavedInvoices::kFileNumber, 1000, false},
         {QT_TRANSLATE_NOOP("ReportLayouts", "Patient Name"), PatientFiles::kName, 3400, false},
         {QT_TRANSLATE_NOOP("ReportLayouts", "Kind"), CashBookColumns::kKind, 1400, false, true},
         {QT_TRANSLATE_NOOP("ReportLayouts", "Amount"), CashBookColumns::kAmount, 2105, true}});
    addTotals(
        report,
        {{QCoreApplication::translate("ReportLayouts", "Cash :"), CashBookColumns::kCash},
         {QCoreApplication::translate("ReportLayouts", "Card :"), CashBookColumns::kCard},
         {QCoreApplication::translate("ReportLayouts", "Bank transfer :"),
          CashBookColumns::kTransfer},
         {QCoreApplication::translate("ReportLayouts", "Cheque :"), CashBookColumns::kCheque},
         {QCoreApplication::translate("ReportLayouts", "Other kinds :"), CashBookColumns::kOther},
         {QCoreApplication::translate("ReportLayouts", "Carried over :"),
          CashBookColumns::kCarriedOver},
         {QCoreApplication::translate("ReportLayouts", "Total :"), CashBookColumns::kAmount}});
    addPageOfPages(report);
    return report;
}

Report statementLayout() {
    Report report = emptyReport(
        "statement", QCoreApplication::translate("ReportLayouts", "Patient Statement"), 10305);
    int top = addLetterhead(report, "statementtitle", report.caption);
    auto& header = report.sections[PageHeader].controls;
    const ReportFont font = timesNewRoman(12);
    header.push_back(label("Label10", QCoreApplication::translate("ReportLayouts", "File Number :"),
                           QRect(0, top, 1700, 300), font));
    header.push_back(
        label("statementfile", SavedInvoices::kFileNumber, QRect(1700, top, 1600, 300), font));
    header.push_back(label("Label11", QCoreApplication::translate("ReportLayouts", "Date :"),
                           QRect(6500, top, 900, 300), font));
    header.push_back(label("statementdate", "date", QRect(7400, top, 2900, 300), font));
    top += 330;
    header.push_back(label("Label12",
                           QCoreApplication::translate("ReportLayouts", "Patient Name :"),
                           QRect(0, top, 1700, 300), font));
    header.push_back(label("statementname", PatientFiles::kName,
                           QRect(1700, top, report.width - 1700, 300), font));
    top += 430;
    addColumns(
        report, top,
        {{QT_TRANSLATE_NOOP("ReportLayouts", "Date"), StatementColumns::kDate, 1250, false},
         {QT_TRANSLATE_NOOP("ReportLayouts", "Invoice No"), SavedInvoices::kNumber, 1050, false},
         {QT_TRANSLATE_NOOP("ReportLayouts", "Entry"), StatementColumns::kEntry, 2500, false, true},
         {QT_TRANSLATE_NOOP("ReportLayouts", "Lines Total"), StatementColumns::kLinesTotal, 1350,
          true},
         {QT_TRANSLATE_NOOP("ReportLayouts", "Charged"), StatementColumns::kCharged, 1350, true},
         {QT_TRANSLATE_NOOP("ReportLayouts", "Paid"), StatementColumns::kPaid, 1350, true},
         {QT_TRANSLATE_NOOP("ReportLayouts", "Balance"), StatementColumns::kBalance, 1455, true}});
    addTotals(report, {{QCoreApplication::translate("ReportLayouts", "Total charged :"),
                        StatementColumns::kCharged},
                       {QCoreApplication::translate("ReportLayouts", "Total paid :"),
                        StatementColumns::kPaid},
                       {QCoreApplication::translate("ReportLayouts", "Balance due :"),
                        StatementColumns::kChange}});
    addPageOfPages(report);
    return report;
}
