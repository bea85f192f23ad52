#include "reports/layouts.h"

#include "reportengine/reportparts.h"

#include <QCoreApplication>

namespace {
const ReportFont kFont = timesNewRoman(12);
constexpr int kHeight = 285;
constexpr int kAmountLeft = 7400;
constexpr int kAmountWidth = 2900;
// The Saudi riyal's abbreviation, kept right-to-left before the number.
const QString kRiyalPrefix = QString::fromUtf8("ر.س.") + QChar(0x200F) + " ";
} // namespace

Report invoiceLayout() {
    Report report = emptyReport("po_rep", QCoreApplication::translate("ReportLayouts", "Invoice"),
                                10305, "Detail");
    // The stationery's printed heading fills the top of the sheet.
    report.margins.top = 5100;

    ReportSection& header = report.sections[PageHeader];
    header.controls = {
        label("cash", QString(), QRect(600, 0, 900, kHeight), timesNewRoman(12, true),
              Qt::AlignCenter),
        label("credit1", QString(), QRect(2400, 0, 900, kHeight), timesNewRoman(12, true),
              Qt::AlignCenter),
        label("parti1", QString(), QRect(4200, 0, 900, kHeight), timesNewRoman(12, true),
              Qt::AlignCenter),
        label("dater", "dater", QRect(kAmountLeft, 0, kAmountWidth, kHeight), kFont),
        label("file_p", "file_num", QRect(0, 600, 4900, kHeight), kFont),
        label("invo", "invo", QRect(5000, 600, 5300, kHeight), kFont),
        label("name", "name", QRect(0, 1000, 4900, kHeight), kFont),
        label("adrr", "adrr", QRect(5000, 1000, 5300, kHeight), kFont),
    };
    header.height = 1700;

    ReportSection& detail = report.sections[Detail];
    ReportControl amount = textBox(
        "Text4", "amount2", QRect(kAmountLeft, 30, kAmountWidth, kHeight), kFont, Qt::AlignRight);
    amount.format = ValueFormat::Amount;
    amount.formatPrefix = kRiyalPrefix;
    ReportControl description = textBox("Text3", "descr2", QRect(1500, 30, 5800, kHeight), kFont);
    description.canGrow = true;
    detail.controls = {
        textBox("Text1", "xxx", QRect(0, 30, 600, kHeight), kFont),
        textBox("Text2", "code2", QRect(700, 30, 700, kHeight), kFont),
        description,
        amount,
    };
    detail.height = 345;

    ReportSection& footer = report.sections[PageFooter];
    footer.controls = {
        label("tot", "tot", QRect(kAmountLeft, 200, kAmountWidth, kHeight), kFont),
        label("paym", "paym", QRect(kAmountLeft, 550, kAmountWidth, kHeight), kFont),
        label("netd", "netd", QRect(kAmountLeft, 900, kAmountWidth, kHeight), kFont),
    };
    footer.height = 1300;
    return report;
}
