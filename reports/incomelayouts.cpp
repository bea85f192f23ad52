#include "reports/layouts.h"

#include "core/apperror.h"
#include "db/clinic/savedinvoices.h"
#include "reportengine/reportparts.h"
#include "reports/letterhead.h"
#include <QCoreApplication>

namespace {

struct IncomeKind {
    const char* name;
    const char* title;
    int width;
};

constexpr IncomeKind kKinds[] = {
    {"rep_day", QT_TRANSLATE_NOOP("ReportLayouts", "Daily Report"), 10305},
    {"rep_mon", QT_TRANSLATE_NOOP("ReportLayouts", "Monthly Report"), 10542},
    {"rep_year", QT_TRANSLATE_NOOP("ReportLayouts", "Annual Report"), 10542},
};

const IncomeKind& kindOf(const QString& name) {
    for (const IncomeKind& kind : kKinds)
        if (name == kind.name)
            return kind;
    throw AppError(ErrorNumber::Unexpected, "There is no income report named " + name + ".");
}

} // namespace

Report incomeLayout(const QString& name) {
    const IncomeKind& kind = kindOf(name);
    Report report = emptyReport(kind.name, QCoreApplication::translate("ReportLayouts", kind.title),
                                kind.width);
    const int headingTop = addLetterhead(report, "patientpayments", report.caption);
    const int column = kind.width / 5;
    const QString headings[] = {QCoreApplication::translate("ReportLayouts", "File Number"),
                                QCoreApplication::translate("ReportLayouts", "Invoice No"),
                                QCoreApplication::translate("ReportLayouts", "Date"),
                                QCoreApplication::translate("ReportLayouts", "Amount"),
                                QCoreApplication::translate("ReportLayouts", "Due")};
    const QString fields[] = {SavedInvoices::kFileNumber, SavedInvoices::kNumber,
                              SavedInvoices::kDate, SavedInvoices::kAmount, SavedInvoices::kNetDue};
    for (int i = 0; i < 5; ++i) {
        const QString number = QString::number(i + 1);
        report.sections[PageHeader].controls.push_back(
            label("Label" + number, headings[i], QRect(i * column, headingTop, column, 230),
                  timesNewRoman(9.75), Qt::AlignCenter));
        report.sections[Detail].controls.push_back(textBox("Text" + number, fields[i],
                                                           QRect(i * column, 30, column, 285),
                                                           timesNewRoman(12), Qt::AlignCenter));
    }
    report.sections[PageHeader].height = headingTop + 330;
    report.sections[Detail].height = 345;

    ReportSection& footer = report.sections[ReportFooter];
    footer.controls = {
        label("Label6", QCoreApplication::translate("ReportLayouts", "Total :"),
              QRect(0, 150, column, 200)),
        sumOf("Function1", SavedInvoices::kAmount, QRect(3 * column, 150, column, 200),
              std::nullopt, Qt::AlignCenter),
        sumOf("Function2", SavedInvoices::kNetDue, QRect(4 * column, 150, column, 200),
              std::nullopt, Qt::AlignCenter),
    };
    footer.height = 450;
    return report;
}
