#include "reports/layouts.h"

#include "db/clinic/invoicelines.h"
#include "db/clinic/reportrows.h"
#include "db/clinic/savedinvoices.h"
#include "db/clinic/scratchheader.h"
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
        label(ScratchHeader::kCash, QString(), QRect(600, 0, 900, kHeight), timesNewRoman(12, true),
              Qt::AlignCenter),
        label(ScratchHeader::kCredit, QString(), QRect(2400, 0, 900, kHeight),
              timesNewRoman(12, true), Qt::AlignCenter),
        label(ScratchHeader::kPartial, QString(), QRect(4200, 0, 900, kHeight),
              timesNewRoman(12, true), Qt::AlignCenter),
        label(ScratchHeader::kDate, ScratchHeader::kDate,
              QRect(kAmountLeft, 0, kAmountWidth, kHeight), kFont),
        label(ScratchHeader::kFileNumber, SavedInvoices::kFileNumber, QRect(0, 600, 4900, kHeight),
              kFont),
        label(ScratchHeader::kInvoiceNumber, ScratchHeader::kInvoiceNumber,
              QRect(5000, 600, 5300, kHeight), kFont),
        label(ScratchHeader::kName, ScratchHeader::kName, QRect(0, 1000, 4900, kHeight), kFont),
        label(ScratchHeader::kAddress, ScratchHeader::kAddress, QRect(5000, 1000, 5300, kHeight),
              kFont),
    };
    header.height = 1700;

    ReportSection& detail = report.sections[Detail];
    ReportControl amount =
        textBox("Text4", InvoiceLines::kAmount, QRect(kAmountLeft, 30, kAmountWidth, kHeight),
                kFont, Qt::AlignRight);
    amount.format = ValueFormat::Amount;
    amount.formatPrefix = kRiyalPrefix;
    ReportControl description =
        textBox("Text3", InvoiceLines::kDescription, QRect(1500, 30, 5800, kHeight), kFont);
    description.canGrow = true;
    detail.controls = {
        textBox("Text1", kLineNumberColumn, QRect(0, 30, 600, kHeight), kFont),
        textBox("Text2", InvoiceLines::kCode, QRect(700, 30, 700, kHeight), kFont),
        description,
        amount,
    };
    detail.height = 345;

    ReportSection& footer = report.sections[PageFooter];
    footer.controls = {
        label(ScratchHeader::kTotal, ScratchHeader::kTotal,
              QRect(kAmountLeft, 200, kAmountWidth, kHeight), kFont),
        label(ScratchHeader::kPayments, ScratchHeader::kPayments,
              QRect(kAmountLeft, 550, kAmountWidth, kHeight), kFont),
        label(ScratchHeader::kNetDue, ScratchHeader::kNetDue,
              QRect(kAmountLeft, 900, kAmountWidth, kHeight), kFont),
    };
    footer.height = 1300;
    return report;
}
