#include "probes.h"

#include "childrun.h"
#include "libreoffice.h"
#include "operations.h"
#include "programsession.h"
#include "reportruns.h"
#include "scanwatch.h"
#include "scoreboard.h"

#include "binding/screens.h"
#include "db/connection.h"

#include <QSqlDriver>
#include <QTableView>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr long kListMemoryLimitKib = 150 * 1024;
// A statement that steps through this many rows of a table has read much more than a screen
// needs; the tables here hold hundreds of thousands.
constexpr long kWideScanRows = 10000;

long probedPeak(const ChildRun& run) {
    for (const QString& line : run.output.split('\n'))
        if (line.startsWith("VmHWM "))
            return line.mid(6).toLong();
    return -1;
}

sqlite3* engineHandle(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    return *static_cast<sqlite3* const*>(handle.data());
}

} // namespace

int runProbe(const QStringList& arguments) {
    const QString task = arguments.value(0);
    ProgramSession session(arguments.value(1));
    if (!session.start())
        return 1;
    if (task == "list") {
        QWidget* screen = session.open("Form5");
        showAllInvoices(screen);
        settle();
    } else if (task == "pdf") {
        writePdf(invoicesReport(arguments.value(2).toLongLong()), arguments.value(3));
    } else {
        return 2;
    }
    std::printf("VmHWM %ld\n", peakMemoryKib());
    return 0;
}

void scoreMemory(Scoreboard& board, const BenchSetup& setup) {
    const ChildRun list = runMeasured(setup.self, {"--probe", "list", setup.workDir});
    const long listPeak = probedPeak(list);
    board.add({QString("Peak memory, invoice list open on all %1 invoices").arg(setup.invoices),
               listPeak > 0 ? mebibytes(listPeak) : "probe failed", "", "", "< 150 MiB",
               listPeak > 0 && listPeak < kListMemoryLimitKib});

    const ChildRun pdf =
        runMeasured(setup.self, {"--probe", "pdf", setup.workDir, QString::number(setup.pdfRows),
                                 setup.workDir + "/probe.pdf"});
    Scoreboard::Row memory{
        QString("Peak memory, %1 invoices as PDF (reference: LibreOffice)").arg(setup.pdfRows),
        pdf.exitCode == 0 ? mebibytes(pdf.peakKib) : "probe failed",
        "",
        "",
        "less than LibreOffice",
        {}};
    if (libreOfficeAvailable()) {
        const QString csv = setup.workDir + "/annual.csv";
        writeInvoicesCsv(setup.databasePath(), setup.pdfRows, csv);
        const ChildRun office =
            convertToPdf(csv, setup.workDir + "/libreoffice", setup.workDir + "/profile");
        memory.reference = mebibytes(office.peakKib);
        memory.met = pdf.exitCode == 0 && office.exitCode == 0 && pdf.peakKib < office.peakKib;
    } else {
        memory.reference = "LibreOffice is not installed (bench/install-deps)";
        memory.met = setup.quick ? std::nullopt : std::optional<bool>(false);
    }
    board.add(memory);
}

void scoreScreenScans(Scoreboard& board, const BenchSetup& setup) {
    ProgramSession session(setup.workDir);
    std::unique_ptr<ScanWatch> watch;
    watch = std::make_unique<ScanWatch>(engineHandle(openDatabase(setup.databasePath())));
    auto score = [&](const QString& what) {
        const ScanWatch::Widest widest = watch->take();
        board.add({"Widest table scan: " + what, QString::number(widest.rows) + " rows",
                   widest.statement.left(60), "", "< " + QString::number(kWideScanRows) + " rows",
                   widest.rows < kWideScanRows});
    };
    if (!session.start())
        return;
    score("start-up");
    const std::pair<const char*, const char*> screens[] = {
        {"Form1", "patient file"}, {"Form3", "patient search"}, {"Form4", "procedure catalog"},
        {"Form5", "invoice list"}, {"Form6", "reports dialog"}, {"Form8", "open-file dialog"}};
    for (const auto& [name, what] : screens) {
        session.dialogs.answerNextInputWith("1");
        session.open(name);
        score(what);
        session.close(name);
        watch->take();
    }
    composeTenLineInvoice(session, "1");
    score("invoice screen");
    watch.reset();
}
