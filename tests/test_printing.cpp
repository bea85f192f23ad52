#include "support/clinicrows.h"
#include "support/reportpages.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/qtdialogs.h"
#include "app/runsettings.h"
#include "db/engine/rowsource.h"
#include "invoices/invoicereport.h"
#include "reportengine/reportlayout.h"
#include "reportengine/reportoutput.h"
#include "reports/layouts.h"
#include "reports/periodicreportsdialog.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

// These tests print through a real CUPS queue whose default destination is a PDF printer
// (tools/start-printer sets one up), and count the pages of the PDF that the job produced. The
// printer draws text as pictures, so the PDF has no text to read back. Other programs may print
// to the same queue at the same time: each job carries a title of its own, which the printer
// puts into the file's name.

namespace {

// The directory where the PDF printer puts this user's jobs, as its configuration says.
QString pdfPrinterOutput() {
    QString out = "/var/spool/cups-pdf/${USER}";
    QFile config("/etc/cups/cups-pdf.conf");
    if (config.open(QIODevice::ReadOnly))
        for (const QString& line : QString::fromUtf8(config.readAll()).split('\n'))
            if (line.startsWith("Out "))
                out = line.mid(4).trimmed();
    const QString user = qEnvironmentVariable("USER", qEnvironmentVariable("LOGNAME", "root"));
    return out.replace("${HOME}", QDir::homePath()).replace("${USER}", user);
}

// The default destination when it is the PDF printer, else a reason why there is none.
std::optional<QString> pdfQueue(QString& why) {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    if (printer.isNull()) {
        why = "there is no default print queue; tools/start-printer sets one up";
        return std::nullopt;
    }
    const QString device = toolOutput("lpstat", {"-v", printer.printerName()});
    if (!device.contains("cups-pdf:")) {
        why = "the default printer " + printer.printerName() + " is not the PDF printer";
        return std::nullopt;
    }
    return printer.printerName();
}

// A job title that no other print has.
QString uniqueTitle() {
    static int count = 0;
    return QString("KorvelTest%1n%2").arg(QDateTime::currentMSecsSinceEpoch()).arg(++count);
}

// The pages of a finished PDF; -1 while it is missing or still being written.
int finishedPages(const QString& path) {
    QProcess info;
    info.start("pdfinfo", {path});
    if (!info.waitForFinished(30000) || info.exitCode() != 0)
        return -1;
    const auto match = QRegularExpression(R"(Pages:\s+(\d+))")
                           .match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The number of pages of the job with this title, once the printer has written all of it.
int printedPages(const QString& title) {
    const QDir out(pdfPrinterOutput());
    int previous = -1;
    for (int attempt = 0; attempt < 600; ++attempt) {
        const QStringList files = out.entryList({title + "*.pdf"}, QDir::Files);
        const int pages = files.isEmpty() ? -1 : finishedPages(out.filePath(files.first()));
        if (pages > 0 && pages == previous)
            return pages;
        previous = pages;
        QTest::qWait(200);
    }
    QTest::qFail(qPrintable("the job " + title + " left no PDF in " + out.path()), __FILE__,
                 __LINE__);
    return -1;
}

} // namespace

class PrintingTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void reportPrintsEveryPageOnTheDefaultPrinter();
    void toPrinterFromTheReportsDialogShowsNothingOnScreen();
    void invoicePrintsThroughTheQueue();
    void progressWindowShowsTheLastPageAndHearsCancel();
};

void PrintingTest::init() {
    QString why;
    if (pdfQueue(why))
        return;
    if (qEnvironmentVariable("CI") == "true")
        QFAIL(qPrintable("CI must print through a real queue, but " + why));
    QSKIP(qPrintable("Printing is not tested here: " + why));
}

void PrintingTest::reportPrintsEveryPageOnTheDefaultPrinter() {
    TestEnv env;
    AppSettings().letterhead = DefaultLetterhead();
    Report report = incomeLayout("rep_day");
    PrepareReport(report, AppSettings());
    std::vector<QVariantList> rows;
    for (int i = 1; i <= 120; ++i)
        rows.push_back({"F" + QString::number(i), i, "06/12/2026", 100 * i, i % 3});
    const QStringList columns = {"file_num", "po_num", "po_date", "po_pri", "po_netd"};
    RowSet counted(columns, rows);
    const int pages = int(layoutReport(report, counted).pages.size());
    QVERIFY(pages >= 3);

    report.caption = uniqueTitle();
    RowSet printed(columns, rows);
    printReport(report, printed);
    QCOMPARE(printedPages(report.caption), pages);
}

void PrintingTest::toPrinterFromTheReportsDialogShowsNothingOnScreen() {
    TestEnv env;
    env.createDatabase();
    addInvoice("P7", "06/12/2026", 1500, 500);
    addInvoice("P7", "06/12/2026", 700, 0);
    addInvoice("P7", "07/12/2026", 999, 0);
    PrepareReport(reportByName("rep_day"), AppSettings());
    PeriodicReportsDialog dialog(AppSettings());
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.show();
    auto* day = dialog.findChild<QLineEdit*>("text1");
    day->setFocus();
    QTest::keyClicks(day, "06122026");
    chooseOption(&dialog, "Option5_1");

    Report& daily = reportByName("rep_day");
    const QString caption = daily.caption;
    daily.caption = uniqueTitle();
    const ModalWatch watch([](QWidget*) {});
    click(&dialog, "SSCommand1");
    QVERIFY(!watch.seen());
    QVERIFY(dialog.findChild<QPushButton*>("SSCommand3")->isVisible());
    QCOMPARE(printedPages(daily.caption), 1);
    daily.caption = caption;
}

void PrintingTest::invoicePrintsThroughTheQueue() {
    TestEnv env;
    env.createDatabase();
    addInvoice("P7", "06/12/2026", 1500, 500);
    addInvoiceLine(1, "01", "Consultation", 1500);
    Report& invoice = reportByName("po_rep");
    const QString caption = invoice.caption;
    invoice.caption = uniqueTitle();
    QVERIFY(PrintInvoice(AppSettings(), "1"));
    QCOMPARE(printedPages(invoice.caption), 1);
    invoice.caption = caption;
}

// Thousands of pages a second change the progress window only now and then: its last step is
// shown all the same, and a Cancel between changes stops the work at the next page.
void PrintingTest::progressWindowShowsTheLastPageAndHearsCancel() {
    QWidget owner;
    owner.show();
    const auto progress = QtDialogs().progress(&owner, "Annual Report");
    QTest::qWait(600);
    const int total = 3000;
    for (int page = 1; page <= total; ++page)
        QVERIFY(
            progress->advance(QString("Printing page %1 of %2").arg(page).arg(total), page, total));
    auto* window = owner.findChild<QProgressDialog*>();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->labelText(), "Printing page 3000 of 3000");
    QCOMPARE(window->value(), total);

    const auto next = QtDialogs().progress(&owner, "Annual Report");
    QVERIFY(next->advance("Laying out page 1", 1, 0));
    for (QProgressDialog* shown : owner.findChildren<QProgressDialog*>())
        if (shown != window)
            shown->cancel();
    QVERIFY(!next->advance("Laying out page 2", 2, 0));
}

QTEST_MAIN(PrintingTest)
#include "test_printing.moc"
