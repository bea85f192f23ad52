#include "reports/reportoutput.h"

#include "core/apperror.h"
#include "core/windowreturn.h"
#include "reports/pagewriter.h"
#include "reports/reportlayout.h"
#include "reports/reportpreview.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

QPrinterInfo defaultPrinter() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        throw AppError(kPrinterErrorNumber,
                       "No printer is set up. Install a printer and make it the default "
                       "printer, then print again.");
    return printer;
}

AppError jobFailed(const QPrinterInfo& printer) {
    return AppError(kPrinterErrorNumber,
                    "The report could not be sent to the printer " + printer.printerName() + ".");
}

// Runs one print job on the default printer; paint draws the pages through the writer.
template <typename Paint>
void printJob(const QString& title, const std::vector<QFont>& fonts, Paint paint) {
    const QPrinterInfo info = defaultPrinter();
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(title);
    PageWriter writer(printer, fonts);
    if (!writer.start())
        throw jobFailed(info);
    paint(writer);
    writer.finish();
    if (printer.printerState() == QPrinter::Error)
        throw jobFailed(info);
}

} // namespace

void previewReport(const Report& report, RowSource& rows, QWidget* parent) {
    ReportPreview preview(layoutReport(report, rows), parent);
    preview.exec();
    if (parent)
        returnTo(parent->window());
}

void printReport(const Report& report, RowSource& rows) {
    defaultPrinter();
    ReportLayout layout(report, rows);
    printJob(report.caption, layout.fonts(), [&layout](PageWriter& writer) {
        layout.run([&writer](Page&& page) { writer.write(page); });
    });
}

void printPages(const LaidOutReport& report) {
    printJob(report.title, report.fonts, [&report](PageWriter& writer) {
        for (const Page& page : report.pages)
            writer.write(page);
    });
}

void savePdf(const LaidOutReport& report, const QString& path) {
    QPdfWriter pdf(path);
    pdf.setTitle(report.title);
    pdf.setCreator("Korvel");
    PageWriter writer(pdf, report.fonts);
    if (!writer.start())
        throw AppError(kFileErrorNumber, "The file " + path + " could not be written.");
    for (const Page& page : report.pages)
        writer.write(page);
    writer.finish();
}
