// Measures the program on a clinic's years of data beside the bare engine:
//   korvel-bench DIR [--quick | --upgrades] [Google Benchmark options]
//   korvel-bench --server URI [--delay MS] [--quick] [Google Benchmark options]
// DIR holds a database made by korvel-generate; the benchmark works on a copy of it. --quick runs
// every operation once without holding the figures to their targets (the test suite's run);
// --upgrades times only the two upgrades a file gets on its first start and prints them. With
// --server the look-ups run on the server's database that URI names (such a database copied
// there, which they leave as it was but for the invoices they save), then several workstations
// save invoices at once. --delay puts a proxy on loopback between them and the server that holds
// back each thing the program sends for MS milliseconds, and measures the user's single actions
// on that link with their round trips.

#include "benchmarks.h"
#include "delayproxy.h"
#include "desks.h"
#include "indexupgrade.h"
#include "paymentsupgrade.h"
#include "probes.h"
#include "programsession.h"
#include "scoreboard.h"
#include "screenscans.h"

#include "app/runsettings.h"
#include "db/engine/connection.h"
#include "db/engine/statements.h"
#include "upkeep/databaseprocedures.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

// Keeps each operation's time for the table, and tells whether any failed.
class Collector : public benchmark::ConsoleReporter {
  public:
    explicit Collector(Scoreboard& board) : board_(board) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                failed = true;
                continue;
            }
            const bool repeated = run.run_type == Run::RT_Aggregate;
            if (repeated && run.aggregate_name != kFastest)
                continue;
            board_.setTime(run.run_name.function_name,
                           run.GetAdjustedRealTime() /
                               benchmark::GetTimeUnitMultiplier(run.time_unit));
            const auto trips = run.counters.find(kRoundTrips);
            if (trips != run.counters.end())
                board_.setRoundTrips(run.run_name.function_name, trips->second.value);
        }
        ConsoleReporter::ReportRuns(runs);
    }
    bool failed = false;

  private:
    Scoreboard& board_;
};

qint64 numberFrom(const QString& databasePath, const QString& sql) {
    ScopedDatabase database(databasePath);
    return Statements(database.db()).value(sql).toLongLong();
}

QString textFrom(const QString& databasePath, const QString& sql) {
    ScopedDatabase database(databasePath);
    return Statements(database.db()).value(sql).toString();
}

bool makeEmptyDatabase(const QString& directory) {
    ProgramSession session(directory);
    return CreateDB(AppSettings(), "korvel_data", QString());
}

// Sizes and periods from the data itself.
void describeData(BenchSetup& setup) {
    const QString path = setup.location();
    setup.patients = numberFrom(path, "select max(id) from per_inf_data");
    setup.invoices = numberFrom(path, "select max(po_num) from pt_sh");
    setup.year = textFrom(path, "select fyear from pt_sh order by po_num desc limit 1");
    setup.yearInvoices =
        numberFrom(path, "select count(*) from pt_sh where fyear = '" + setup.year + "'");
    setup.month = "06/" + setup.year;
    setup.day = "15/06/" + setup.year;
    setup.layoutRows =
        std::min<qint64>(setup.quick ? setup.invoices / 4 : 100000, setup.invoices / 2);
    setup.pdfRows = std::min<qint64>(setup.quick ? setup.invoices / 2 : 200000, setup.invoices);
}

QString firstLineOf(const QString& path, const QByteArray& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith(key))
            return QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
    return {};
}

void printMachine(const BenchSetup& setup) {
    std::printf("\nMachine: %s, %d cores, %s RAM; %s; load average before the run: %s\n",
                qPrintable(firstLineOf("/proc/cpuinfo", "model name")), QThread::idealThreadCount(),
                qPrintable(firstLineOf("/proc/meminfo", "MemTotal")),
                qPrintable(QSysInfo::prettyProductName()),
                qPrintable(firstLineOf("/proc/loadavg", "").section(' ', 0, 2)));
    std::printf("Data: %lld patient files, %lld invoices\n", setup.patients, setup.invoices);
    if (setup.onServer())
        std::printf("Server: %s\n",
                    qPrintable(textFrom(
                        setup.server, "select 'PostgreSQL ' || current_setting('server_version') "
                                      "|| ', shared_buffers ' || current_setting('shared_buffers') "
                                      "|| ', random_page_cost ' || "
                                      "current_setting('random_page_cost') || ', fsync ' || "
                                      "current_setting('fsync')")));
}

// The offscreen platform's notes on window hints it cannot honour say nothing about the program.
QtMessageHandler gStandardHandler = nullptr;

void quietPlatformNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith("This plugin does not support") && gStandardHandler)
        gStandardHandler(type, context, text);
}

// The timed operations, then what is measured otherwise, printed as one table; `fileRows` are
// figures measured before (the upgrades of the file).
int runBenchmarks(BenchSetup& setup, int argc, char* argv[],
                  const std::vector<Scoreboard::Row>& fileRows = {}) {
    describeData(setup);
    // Google Benchmark takes its own options; the directory or server, and --quick, are ours.
    std::vector<char*> benchmarkArgs{argv[0]};
    for (int i = setup.onServer() ? 3 : 2; i < argc; ++i) {
        if (QString(argv[i]) == "--delay")
            ++i;
        else if (QString(argv[i]) != "--quick" && QString(argv[i]) != "--upgrades")
            benchmarkArgs.push_back(argv[i]);
    }
    int benchmarkArgc = int(benchmarkArgs.size());
    benchmark::Initialize(&benchmarkArgc, benchmarkArgs.data());

    Scoreboard board;
    registerBenchmarks(setup);
    Collector collector(board);
    benchmark::RunSpecifiedBenchmarks(&collector);

    if (!setup.delayed())
        scoreTimes(board, setup);
    for (const Scoreboard::Row& row : fileRows)
        board.add(row);
    if (setup.delayed()) {
        scoreRoundTrips(board);
    } else if (setup.onServer()) {
        // Some operations picked out to be run leave the workstations out as well.
        if (!QCoreApplication::arguments().filter(QRegularExpression("^--benchmark_filter")).size())
            scoreDesks(board, setup);
    } else {
        scoreProbes(board, setup);
        scoreScreenScans(board, setup);
    }
    printMachine(setup);
    const bool met = board.print();
    if (collector.failed)
        return 1;
    return setup.quick || met ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    gStandardHandler = qInstallMessageHandler(quietPlatformNotes);
    QApplication app(argc, argv);
    QStringList arguments = app.arguments().mid(1);
    if (arguments.value(0) == "--probe")
        return runProbe(arguments.mid(1));
    if (arguments.value(0) == "--desk")
        return runDesk(arguments.mid(1));
    const bool server = arguments.value(0) == "--server" && arguments.size() > 1;
    if (arguments.isEmpty() || (arguments.first().startsWith('-') && !server)) {
        std::fprintf(stderr, "usage: korvel-bench DIR [--quick | --upgrades] [benchmark options]\n"
                             "       korvel-bench --server URI [--delay MS] [--quick] [benchmark "
                             "options]\n");
        return 2;
    }

    BenchSetup setup;
    setup.quick = arguments.contains("--quick");
    setup.self = QCoreApplication::applicationFilePath();
    QTemporaryDir work;
    QTemporaryDir empty;
    setup.workDir = work.path();
    setup.emptyDir = empty.path();
    if (server) {
        setup.server = arguments[1];
        const int delay = arguments.indexOf("--delay");
        if (delay < 0)
            return runBenchmarks(setup, argc, argv);
        DelayProxy proxy(setup.server, arguments.value(delay + 1).toInt());
        if (!proxy.failure().isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(proxy.failure()));
            return 1;
        }
        setup.server = proxy.uri();
        setup.proxy = &proxy;
        return runBenchmarks(setup, argc, argv);
    }
    const QString source = QDir(arguments.first()).absoluteFilePath("korvel_data.mdb");
    if (!QFile::copy(source, setup.databasePath())) {
        std::fprintf(stderr, "no database at %s: run korvel-generate first\n", qPrintable(source));
        return 1;
    }
    if (!makeEmptyDatabase(setup.emptyDir)) {
        std::fprintf(stderr, "the program could not make an empty database\n");
        return 1;
    }
    const double upgrade = timeIndexUpgrade(setup.databasePath());
    const PaymentsUpgradeRun payments = timePaymentsUpgrade(setup.databasePath());
    if (arguments.contains("--upgrades")) {
        std::printf("index upgrade: %.1f s\npayments upgrade: %.1f s, %lld payments, paid %s, "
                    "total less net due %s\n",
                    upgrade, payments.seconds, static_cast<long long>(payments.payments),
                    qPrintable(payments.paid), qPrintable(payments.owed));
        timeMoneyReports(setup.databasePath());
        return payments.paid == payments.owed ? 0 : 1;
    }
    return runBenchmarks(
        setup, argc, argv,
        {{"Upgrade of a file made without the added indexes: the collated indexes rebuilt and "
          "the added ones made, one transaction",
          milliseconds(upgrade),
          "",
          "",
          "",
          {}},
         {"Upgrade of a file made before payments were kept: every invoice's payment to date "
          "carried over with its sum checked, one transaction",
          milliseconds(payments.seconds),
          "",
          "",
          "",
          {}}});
}
