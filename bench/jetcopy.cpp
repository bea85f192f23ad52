// korvel-jetbench DIR [patients invoices lines]
//
// The earlier program's Jet file of a busy clinic copied into a new Korvel database as the user's
// command copies it (korvel --copy-database OLD.mdb NEW.mdb), beside mdb-export writing the same
// tables to CSV, the floor: the least any reader of the file through libmdb does. The file is
// written by the tests' Jet writer. Prints both times, their ratio and the copy's peak memory;
// exits with 1 when the copy takes more than 1.5 times the floor or more than 60 s. --quick runs
// a small file once and holds nothing to the targets.

#include "support/jetclinic.h"

#include "db/upkeep/jetimport.h"
#include "db/upkeep/schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr double kMostOfFloor = 1.5;
constexpr double kMostSeconds = 60;

double seconds(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e9;
}

// mdb-export of every table of the file to CSV, as the floor.
double exportSeconds(const QString& jet, const QString& directory) {
    QElapsedTimer timer;
    timer.start();
    for (const TableDef& table : schemaTables()) {
        QProcess exporter;
        exporter.setStandardOutputFile(directory + "/" + table.name + ".csv");
        exporter.start("mdb-export", {jet, table.name});
        if (!exporter.waitForFinished(-1) || exporter.exitCode() != 0) {
            std::fprintf(stderr, "mdb-export %s failed\n", qPrintable(table.name));
            std::exit(2);
        }
    }
    return seconds(timer);
}

// Processor seconds of this process, or of its finished children: on a machine that others
// share, the wall clock counts their work too.
double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    const bool quick = arguments.removeAll("--quick") > 0;
    if (arguments.isEmpty()) {
        std::fprintf(stderr, "usage: korvel-jetbench DIR [patients invoices lines] [--quick]\n");
        return 2;
    }
    const QString directory = arguments[0];
    JetClinic clinic;
    clinic.arabicNames = true;
    clinic.patients = quick ? 600 : arguments.value(1, "60000").toInt();
    clinic.invoices = quick ? 4000 : arguments.value(2, "400000").toInt();
    clinic.lines = quick ? 10000 : arguments.value(3, "1000000").toLongLong();
    QDir().mkpath(directory);
    const QString jet = directory + "/korvel_data_jet.mdb";
    const QString copy = directory + "/korvel_data.mdb";
    QFile::remove(jet);
    QFile::remove(copy);

    QElapsedTimer timer;
    timer.start();
    writeJetClinic(jet, clinic);
    std::printf("Jet file of %d patients, %d invoices, %lld lines written in %.1f s (%lld MB)\n",
                clinic.patients, clinic.invoices, clinic.lines, seconds(timer),
                QFile(jet).size() / 1000000);

    const long before = peakKilobytes();
    const double cpuBefore = cpuSeconds(RUSAGE_SELF);
    timer.restart();
    const CopySummary summary = importJetDatabase(jet, copy, {}, {});
    const double copied = seconds(timer);
    const double copiedCpu = cpuSeconds(RUSAGE_SELF) - cpuBefore;
    const double floor = exportSeconds(jet, directory);
    const double floorCpu = cpuSeconds(RUSAGE_CHILDREN);
    const double ratio = copied / floor;
    std::printf("copy into a new database:   %.1f s, processor %.1f s (%s)\n", copied, copiedCpu,
                qPrintable(summary.text()));
    std::printf("mdb-export of the tables:   %.1f s, processor %.1f s (the floor)\n", floor,
                floorCpu);
    std::printf("ratio %.2f, of processor time %.2f (target %.1f), peak memory %ld MB (%ld MB "
                "before the copy)\n",
                ratio, copiedCpu / floorCpu, kMostOfFloor, peakKilobytes() / 1024, before / 1024);
    if (quick)
        return 0;
    const bool met = ratio <= kMostOfFloor && copied <= kMostSeconds;
    std::printf("%s\n", met ? "target met" : "TARGET MISSED");
    return met ? 0 : 1;
}
