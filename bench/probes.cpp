#include "probes.h"

#include "childrun.h"
#include "libreoffice.h"
#include "operations.h"
#include "programsession.h"
#include "reportdialogruns.h"
#include "reportruns.h"
#include "scoreboard.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTableView>
#include <cstdio>
#include <functional>

namespace {

constexpr long kListMemoryLimitKib = 150 * 1024;
constexpr long kPreviewMemoryLimitKib = 200 * 1024;
constexpr double kFirstPageLimit = 0.3;

// What one run of a probe, or of LibreOffice, measured.
struct Measured {
    double seconds = 0;
    long peakKib = 0;
    bool ok = false;
    // The whole preview laid out, and its pages.
    double whole = 0;
    int pages = 0;
    // The probe's processor time, where it tells it.
    double processor = 0;
};

QString reported(const ChildRun& run, const QString& key) {
    for (const QString& line : run.output.split('\n'))
        if (line.startsWith(key + ' '))
            return line.mid(key.size() + 1);
    return {};
}

Measured probe(const BenchSetup& setup, const QStringList& task) {
    const ChildRun run = runMeasured(setup.self, QStringList{"--probe"} + task);
    Measured measured;
    measured.seconds = reported(run, "seconds").toDouble();
    measured.peakKib = reported(run, "VmHWM").toLong();
    measured.whole = reported(run, "whole").toDouble();
    measured.pages = reported(run, "pages").toInt();
    measured.processor = reported(run, "processor").toDouble();
    measured.ok = run.exitCode == 0 && measured.peakKib > 0;
    return measured;
}

// The fastest of a few runs, as the others were slowed by whatever else ran meanwhile; the
// largest peak memory among them.
template <typename Run> Measured fastestOf(int runs, Run run) {
    Measured best = run();
    for (int i = 1; i < runs && best.ok; ++i) {
        const Measured next = run();
        best.ok = next.ok;
        best.seconds = std::min(best.seconds, next.seconds);
        best.peakKib = std::max(best.peakKib, next.peakKib);
        best.whole = std::min(best.whole, next.whole);
        best.processor = std::min(best.processor, next.processor);
    }
    return best;
}

// LibreOffice converting the invoices that the condition selects, from CSV to PDF.
Measured libreOffice(const BenchSetup& setup, const QString& name, const QString& condition,
                     const QVariant& value) {
    const QString csv = setup.workDir + "/" + name + ".csv";
    const QString pdf = setup.workDir + "/libreoffice/" + name + ".pdf";
    const QString profile = setup.workDir + "/profile";
    writeInvoicesCsv(setup.databasePath(), condition, value, csv);
    // The first run of a new profile sets it up: that is not the conversion's time.
    convertToPdf(csv, setup.workDir + "/libreoffice", profile);
    return fastestOf(setup.quick ? 1 : 2, [&] {
        QFile::remove(pdf);
        const ChildRun run = convertToPdf(csv, setup.workDir + "/libreoffice", profile);
        return Measured{run.seconds, run.peakKib, run.exitCode == 0 && QFile::exists(pdf)};
    });
}

// Holds the program's time and peak memory to a fifth of LibreOffice's time and less than its
// memory, on the same invoices.
void scoreAgainstLibreOffice(Scoreboard& board, const BenchSetup& setup, const Measured& korvel,
                             std::pair<Scoreboard::Row, Scoreboard::Row> rows,
                             const std::function<Measured()>& office) {
    auto& [time, memory] = rows;
    if (!libreOfficeAvailable()) {
        time.reference = memory.reference = "LibreOffice is not installed (bench/install-deps)";
        if (!setup.quick)
            time.met = memory.met = false;
    } else {
        const Measured reference = office();
        time.reference = milliseconds(reference.seconds);
        memory.reference = mebibytes(reference.peakKib);
        time.value = QString::number(korvel.seconds / reference.seconds, 'f', 2) + " ×";
        time.met = korvel.ok && reference.ok && korvel.seconds <= 0.2 * reference.seconds;
        memory.met = korvel.ok && reference.ok && korvel.peakKib < reference.peakKib;
    }
    board.add(time);
    board.add(memory);
}

void scoreLayout(Scoreboard& board, const BenchSetup& setup) {
    auto layout = [&](qint64 rows) {
        return fastestOf(setup.quick ? 1 : 5, [&] {
            return probe(setup, {"layout", setup.workDir, QString::number(rows)});
        });
    };
    const Measured once = layout(setup.layoutRows);
    const Measured twice = layout(2 * setup.layoutRows);
    Scoreboard::Row row{
        QString("Report layout, %1 → %2 invoices").arg(setup.layoutRows).arg(2 * setup.layoutRows),
        milliseconds(twice.seconds),
        milliseconds(once.seconds),
        "",
        "≤ 2.2 × for twice the rows",
        false};
    if (once.ok && twice.ok) {
        row.value = QString::number(twice.seconds / once.seconds, 'f', 2) + " ×";
        row.met = twice.seconds / once.seconds <= 2.2;
    }
    board.add(row);
}

void scorePdf(Scoreboard& board, const BenchSetup& setup) {
    const Measured korvel = fastestOf(setup.quick ? 1 : 3, [&] {
        return probe(setup, {"pdf", setup.workDir, QString::number(setup.pdfRows),
                             setup.workDir + "/annual.pdf"});
    });
    Scoreboard::Row time{
        QString("%1 invoices as PDF (reference: LibreOffice from CSV)").arg(setup.pdfRows),
        milliseconds(korvel.seconds),
        "",
        "",
        "≤ 0.2 × LibreOffice",
        {}};
    Scoreboard::Row memory{
        QString("Peak memory, %1 invoices as PDF (reference: LibreOffice)").arg(setup.pdfRows),
        mebibytes(korvel.peakKib),
        "",
        "",
        "less than LibreOffice",
        {}};
    scoreAgainstLibreOffice(board, setup, korvel, {time, memory}, [&] {
        return libreOffice(setup, "annual", "po_num <= ?", setup.pdfRows);
    });
}

QString annualReport(const BenchSetup& setup) {
    return QString("Annual report %1 (%2 invoices)").arg(setup.year).arg(setup.yearInvoices);
}

void scorePreview(Scoreboard& board, const BenchSetup& setup) {
    const Measured preview = fastestOf(setup.quick ? 1 : 3, [&] {
        return probe(setup, {"preview", setup.workDir, setup.year});
    });
    board.add({annualReport(setup) + " \"TO SCREEN\", until the preview shows its first page",
               preview.ok ? milliseconds(preview.seconds) : "probe failed", "", "", "< 300 ms",
               preview.ok && preview.seconds < kFirstPageLimit});
    board.add({annualReport(setup) + " \"TO SCREEN\", until the preview has laid out all " +
                   QString::number(preview.pages) + " pages",
               preview.ok ? milliseconds(preview.whole) : "probe failed",
               "",
               "",
               "",
               {}});
    board.add({"Peak memory, the annual report's preview laid out and shown at its last page",
               preview.ok ? mebibytes(preview.peakKib) : "probe failed", "", "", "< 200 MiB",
               preview.ok && preview.peakKib < kPreviewMemoryLimitKib});
}

void scorePrinter(Scoreboard& board, const BenchSetup& setup) {
    Scoreboard::Row time{annualReport(setup) +
                             " \"TO PRINTER\", the CUPS PDF queue (reference: LibreOffice "
                             "from CSV, the same invoices)",
                         "",
                         "",
                         "",
                         "≤ 0.2 × LibreOffice",
                         {}};
    Scoreboard::Row memory{"Peak memory, the annual report \"TO PRINTER\" (reference: LibreOffice)",
                           "",
                           "",
                           "",
                           "less than LibreOffice",
                           {}};
    const Measured korvel = fastestOf(setup.quick ? 1 : 3, [&] {
        return probe(setup, {"printer", setup.workDir, setup.year});
    });
    time.measured = korvel.ok ? milliseconds(korvel.seconds) + " (processor " +
                                    milliseconds(korvel.processor) + ")"
                              : "no default printer or it failed";
    memory.measured = korvel.ok ? mebibytes(korvel.peakKib) : "";
    scoreAgainstLibreOffice(board, setup, korvel, {time, memory},
                            [&] { return libreOffice(setup, "year", "fyear = ?", setup.year); });
}

// The list of all invoices exported through its grid's context menu, as the accountant gets it:
// the time of the whole export and its peak memory, which must not grow with the rows.
void scoreCsvExport(Scoreboard& board, const BenchSetup& setup) {
    const QString csv = setup.workDir + "/all-invoices.csv";
    const Measured run = probe(setup, {"list-csv", setup.workDir, csv});
    const bool written = run.ok && QFile::exists(csv);
    const QString what =
        QString("All %1 invoices exported to CSV from the invoice list's context menu (%2 MB)")
            .arg(setup.invoices)
            .arg(QFile(csv).size() / 1000000);
    board.add(
        {what, written ? milliseconds(run.seconds) : "probe failed", "", "", "", std::nullopt});
    board.add({"Peak memory, the same export", written ? mebibytes(run.peakKib) : "probe failed",
               "", "", "< 150 MiB", written && run.peakKib < kListMemoryLimitKib});
    QFile::remove(csv);
}

} // namespace

int runProbe(const QStringList& arguments) {
    const QString task = arguments.value(0);
    ProgramSession session(arguments.value(1));
    if (!session.start())
        return 1;
    // Fonts are loaded by the first report of a run, whatever its size: not part of the growth.
    if (!task.startsWith("list"))
        layOut(invoicesReport(10));
    QElapsedTimer timer;
    timer.start();
    if (task == "preview") {
        const PreviewRun run = previewAnnualReport(session, arguments.value(2));
        if (!run.ok)
            return 3;
        std::printf("seconds %.6f\nwhole %.6f\npages %d\nVmHWM %ld\n", run.firstPage, run.whole,
                    run.pages, peakMemoryKib());
        return 0;
    }
    if (task == "printer") {
        const PrintRun run = printAnnualReport(session, arguments.value(2));
        if (!run.ok)
            return 3;
        std::printf("seconds %.6f\nprocessor %.6f\nVmHWM %ld\n", run.seconds, run.processor,
                    peakMemoryKib());
        return 0;
    }
    if (task == "list") {
        showAllInvoices(session.open(Screen::InvoiceList));
        settle();
    } else if (task == "list-scrolled") {
        QWidget* screen = session.open(Screen::InvoiceList);
        showAllInvoices(screen);
        settle();
        auto* grid = control<QTableView>(screen, "DBGrid1");
        scrollToEnd(grid);
        dragScrollBarTo(grid, 0.5);
        scrollToStart(grid);
    } else if (task == "list-csv") {
        QWidget* screen = session.open(Screen::InvoiceList);
        showAllInvoices(screen);
        settle();
        session.dialogs.saveNextFileAs(arguments.value(2));
        control<QAction>(control<QTableView>(screen, "DBGrid1"), "actExportCsv")->trigger();
    } else if (task == "layout") {
        layOut(invoicesReport(arguments.value(2).toLongLong()));
    } else if (task == "pdf") {
        writePdf(invoicesReport(arguments.value(2).toLongLong()), arguments.value(3));
    } else {
        return 2;
    }
    std::printf("seconds %.6f\nVmHWM %ld\n", timer.nsecsElapsed() / 1e9, peakMemoryKib());
    return 0;
}

void scoreProbes(Scoreboard& board, const BenchSetup& setup) {
    scorePreview(board, setup);
    scorePrinter(board, setup);
    scoreLayout(board, setup);
    scorePdf(board, setup);
    const Measured list = probe(setup, {"list", setup.workDir});
    board.add({QString("Peak memory, invoice list open on all %1 invoices").arg(setup.invoices),
               list.ok ? mebibytes(list.peakKib) : "probe failed", "", "", "< 150 MiB",
               list.ok && list.peakKib < kListMemoryLimitKib});
    const Measured scrolled = probe(setup, {"list-scrolled", setup.workDir});
    board.add({QString("Peak memory, all %1 invoices scrolled through the grid to the end and "
                       "back (Ctrl+End, the scroll bar dragged to the middle, Ctrl+Home)")
                   .arg(setup.invoices),
               scrolled.ok ? mebibytes(scrolled.peakKib) : "probe failed", "", "", "< 150 MiB",
               scrolled.ok && scrolled.peakKib < kListMemoryLimitKib});
    scoreCsvExport(board, setup);
}
