#include "reportengine/reportoutput.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/filefailure.h"
#include "core/ownerfiles.h"
#include "core/windowreturn.h"
#include "reportengine/lazyreport.h"
#include "reportengine/pagewriter.h"
#include "reportengine/reportpreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSaveFile>
#include <cerrno>

namespace {

QPrinterInfo defaultPrinter() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull())
        throw AppError(kPrinterErrorNumber,
                       QCoreApplication::translate(
                           "ReportOutput", "No printer is set up. Install a printer and "
                                           "make it the default printer, then print again."));
    return printer;
}

AppError jobFailed(const QPrinterInfo& printer) {
    return AppError(kPrinterErrorNumber,
                    QCoreApplication::translate("ReportOutput",
                                                "The report could not be sent to the printer %1.")
                        .arg(printer.printerName()));
}

} // namespace

void previewReport(const Report& report, RowSource& rows, QWidget* parent, RowsAgain rowsAgain) {
    ReportPreview preview(report, rows, parent, std::move(rowsAgain));
    preview.exec();
    if (parent)
        returnTo(parent->window());
}

void printReport(const Report& report, RowSource& rows, QWidget* owner) {
    defaultPrinter();
    LazyReport pages(report, rows);
    printPages(pages, owner);
}

void printOrSavePdf(const Report& report, RowSource& rows, QWidget* owner) {
    if (!QPrinterInfo::defaultPrinter().isNull())
        return printReport(report, rows, owner);
    const QString offer = QCoreApplication::translate(
        "ReportOutput", "No printer is set up. Save the pages as a PDF file instead?");
    if (dialogs().message(offer, Dialogs::Buttons::YesNo, Dialogs::Icon::Question) !=
        Dialogs::Answer::Yes)
        return;
    const auto path =
        dialogs().saveFile(QCoreApplication::translate("ReportOutput", "PDF Files (*.pdf)|*.pdf"),
                           QDir::homePath(), QString(report.caption).replace('/', '-') + ".pdf");
    if (!path)
        return;
    LazyReport pages(report, rows);
    savePdf(pages, *path, owner);
}

void printPages(LazyReport& report, QWidget* owner) {
    const QPrinterInfo info = defaultPrinter();
    const auto progress = dialogs().progress(owner, report.title());
    if (!report.layOutAll(*progress))
        return;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(report.title());
    PageWriter writer(printer, report.fonts());
    if (!writer.start())
        throw jobFailed(info);
    // Qt's CUPS engine cannot abort a job: there the pages drawn before the cancel still go out.
    if (!writeAll(report, writer, *progress,
                  QCoreApplication::translate("ReportOutput", "Printing page %1 of %2")))
        printer.abort();
    writer.finish();
    if (printer.printerState() == QPrinter::Error)
        throw jobFailed(info);
}

void savePdf(LazyReport& report, const QString& path, QWidget* owner) {
    const auto progress = dialogs().progress(owner, report.title());
    if (!report.layOutAll(*progress))
        return;
    // Written beside its name and put there once whole: a full disk or a cancel leaves no file
    // that a reader could not open. A new file is the owner's alone, a replaced one keeps its mode.
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(OwnerFiles::modeFor(path)))
        throw fileNotWritten(file, errno);
    bool written = false;
    {
        QPdfWriter pdf(&file);
        pdf.setTitle(report.title());
        pdf.setCreator("Korvel");
        PageWriter writer(pdf, report.fonts());
        if (!writer.start())
            throw fileNotWritten(file, errno);
        written = writeAll(report, writer, *progress,
                           QCoreApplication::translate("ReportOutput", "Writing page %1 of %2"));
        writer.finish();
    }
    errno = 0;
    if (written && !file.commit())
        throw fileNotWritten(file, errno);
}
