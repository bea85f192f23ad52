#include "desks.h"

#include "operations.h"
#include "programsession.h"
#include "scoreboard.h"

#include "db/engine/connection.h"
#include "db/engine/statements.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kLinesPerInvoice = 10;

struct Counts {
    qint64 invoices = 0;
    qint64 lines = 0;
    qint64 lastNumber = 0;
};

Counts countsOn(const QString& uri) {
    ScopedDatabase database(uri);
    const Row counts = Statements(database.db())
                           .rows("select (select count(*) from pt_sh), "
                                 "(select count(*) from po_descs), "
                                 "(select coalesce(max(po_num), 0) from pt_sh)")
                           .value(0);
    return {counts.value(0).toLongLong(), counts.value(1).toLongLong(),
            counts.value(2).toLongLong()};
}

// Invoices after `number` without the desk's file number and a date, or without exactly their
// ten lines.
qint64 invoicesAmiss(const QString& uri, qint64 number) {
    ScopedDatabase database(uri);
    return Statements(database.db())
        .value("select count(*) from pt_sh where po_num > ? and "
               "(coalesce(file_num, '') = '' or coalesce(po_date, '') = '' or "
               "(select count(*) from po_descs d where d.po_num = pt_sh.po_num) "
               "<> ?)",
               {number, kLinesPerInvoice})
        .toLongLong();
}

double reported(const QByteArray& output, const QByteArray& key) {
    for (const QByteArray& line : output.split('\n'))
        if (line.startsWith(key + ' '))
            return line.mid(key.size() + 1).toDouble();
    return 0;
}

struct Round {
    double seconds = 0;       // until the last desk was done
    double perDesk = 0;       // invoices per second of one desk, on average
    double savingSeconds = 0; // one "OK" on average
    bool ok = true;
};

// Every desk is started and set up before any saves, so that all of them save at once.
Round runRound(const BenchSetup& setup, int desks, int invoices) {
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int desk = 1; desk <= desks; ++desk) {
        auto& process = processes.emplace_back(std::make_unique<QProcess>());
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(setup.self,
                       {"--desk", setup.server, QString::number(desk), QString::number(invoices)});
    }
    Round round;
    for (auto& process : processes)
        if (!process->waitForReadyRead(120000) || !process->readLine().startsWith("ready"))
            round.ok = false;
    for (auto& process : processes) {
        process->write("go\n");
        process->waitForBytesWritten();
    }
    for (auto& process : processes) {
        round.ok = process->waitForFinished(-1) && process->exitCode() == 0 && round.ok;
        const QByteArray output = process->readAll();
        const double seconds = reported(output, "seconds");
        round.seconds = std::max(round.seconds, seconds);
        round.perDesk += seconds > 0 ? invoices / seconds / desks : 0;
        round.savingSeconds += reported(output, "saving") / invoices / desks;
        if (!output.contains("seconds"))
            std::fprintf(stderr, "a desk ended without its figures:\n%s\n", output.constData());
    }
    return round;
}

} // namespace

void scoreDesks(Scoreboard& board, const BenchSetup& setup) {
    const int invoices = setup.quick ? 2 : 50;
    for (const int desks : {1, 2, 4, 8}) {
        const Counts before = countsOn(setup.server);
        const Round round = runRound(setup, desks, invoices);
        const Counts after = countsOn(setup.server);
        const qint64 saved = qint64(desks) * invoices;
        const bool counted = round.ok && after.invoices - before.invoices == saved &&
                             after.lines - before.lines == saved * kLinesPerInvoice &&
                             invoicesAmiss(setup.server, before.lastNumber) == 0;
        board.add({QString("%1 workstation%2 at once, %3 ten-line invoices each: saved per second, "
                           "all together (reference: one desk's own rate); one \"OK\" on average")
                       .arg(desks)
                       .arg(desks > 1 ? "s" : "")
                       .arg(invoices),
                   QString::number(saved / round.seconds, 'f', 1) + " /s",
                   QString::number(round.perDesk, 'f', 1) + " /s",
                   milliseconds(round.savingSeconds),
                   "every invoice saved, for its patient, with its ten lines", counted});
    }
}

int runDesk(const QStringList& arguments) {
    if (arguments.size() != 3)
        return 2;
    QTemporaryDir directory;
    ProgramSession session(directory.path(), arguments[0]);
    if (!session.start())
        return 1;
    const QString fileNumber = arguments[1];
    const int invoices = arguments[2].toInt();
    std::printf("ready\n");
    std::fflush(stdout);
    std::string go;
    std::getline(std::cin, go);

    QElapsedTimer round;
    round.start();
    qint64 saving = 0;
    int saved = 0;
    for (; saved < invoices; ++saved) {
        QWidget* screen = composeTenLineInvoice(session, fileNumber);
        QElapsedTimer ok;
        ok.start();
        const QString number = saveInvoice(screen);
        saving += ok.nsecsElapsed();
        settle();
        if (number.isEmpty())
            break;
        leaveInvoice(screen);
    }
    std::printf("seconds %f\nsaving %f\n", round.nsecsElapsed() / 1e9, saving / 1e9);
    const QStringList messages = session.dialogs.takeMessages();
    for (const QString& message : messages)
        std::fprintf(stderr, "the program said: %s\n", qPrintable(message));
    return saved == invoices && messages.isEmpty() ? 0 : 1;
}
