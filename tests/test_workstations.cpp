#include "support/clinicrows.h"
#include "support/pgserver.h"
#include "support/testenv.h"

#include "db/engine/connection.h"
#include "db/upkeep/createdb.h"

#include <QProcess>
#include <QTest>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kDesks = 2;
constexpr int kInvoicesPerDesk = 200;

QString fileNumberOf(int desk) {
    return QString("10%1").arg(desk);
}

QString lineDescription(int desk, int line) {
    return QString("Desk %1 line %2").arg(desk).arg(line);
}

// As the desk writes them: one line to three in turn, line j of the k-th invoice worth 10 k + j.
int linesOfInvoice(int k) {
    return 1 + k % 3;
}

int totalOfInvoice(int k) {
    int total = 0;
    for (int j = 1; j <= linesOfInvoice(k); ++j)
        total += 10 * k + j;
    return total;
}

// A workstation in a process of its own (tests/workstations/desk.cpp).
struct Desk {
    int number = 0;
    QProcess process;
    QByteArray output;

    QList<QByteArray> lines() const { return output.split('\n'); }
    bool printed(const QByteArray& line) const { return lines().contains(line); }
    // What went wrong, without the desk's figures and the platform's notes.
    QByteArray failures() const {
        QByteArrayList kept;
        for (const QByteArray& line : lines())
            if (!line.startsWith("saved ") && !line.startsWith("QWARN"))
                kept << line;
        return kept.join('\n');
    }
};

// The invoices a desk says it saved, in order: number and total as its screen showed them.
QList<std::pair<int, int>> savedBy(const Desk& desk) {
    QList<std::pair<int, int>> saved;
    for (const QByteArray& line : desk.lines()) {
        const QList<QByteArray> words = line.split(' ');
        if (words.size() == 3 && words[0] == "saved")
            saved.append({words[1].toInt(), words[2].toInt()});
    }
    return saved;
}

// Waits until the desk has printed the line as often as asked.
bool waitForLine(Desk& desk, const QByteArray& line, int times = 1) {
    while (desk.lines().count(line) < times && desk.process.waitForReadyRead(30000))
        desk.output += desk.process.readAll();
    return desk.lines().count(line) >= times;
}

// A desk that edits one patient file through its screen (tests/workstations/patientdesk.cpp),
// typing the text in the box at every Save.
void startPatientDesk(Desk& desk, const QString& uri, const QString& fileNumber,
                      const QString& typed) {
    desk.process.setProcessChannelMode(QProcess::MergedChannels);
    desk.process.start(PATIENT_DESK_CHILD,
                       {uri, fileNumber, typed.section('=', 0, 0), typed.section('=', 1)});
}

void startBoth(Desk& first, Desk& second) {
    QVERIFY2(waitForLine(first, "ready") && waitForLine(second, "ready"),
             (first.failures() + second.failures()).constData());
}

void finish(Desk& desk) {
    desk.process.closeWriteChannel();
    QVERIFY(desk.process.waitForFinished(30000));
    QVERIFY2(desk.process.exitCode() == 0, desk.failures().constData());
}

void pressSave(Desk& desk, int times) {
    desk.process.write("go\n");
    desk.process.waitForBytesWritten();
    QVERIFY2(waitForLine(desk, "saved", times), desk.failures().constData());
}

} // namespace

// Two desks writing invoices through their screens at the same moment, each a process of its own
// on one server, as two workstations of a clinic are.
class WorkstationsTest : public QObject {
    Q_OBJECT
  private slots:
    void twoDesksWriteInvoicesAtOnce();
    void twoDesksEditingOnePatientFileLoseNothingUnseen_data();
    void twoDesksEditingOnePatientFileLoseNothingUnseen();
    void twoDesksFilingOneNumberFileOnePatient();

  private:
    void prepareClinic(const QSqlDatabase& db);
    // A new database on the server with the clinic's tables; its URI.
    QString newClinic(PgServer& server);
    void runDesks(const QString& uri, std::vector<std::unique_ptr<Desk>>& desks);
};

void WorkstationsTest::prepareClinic(const QSqlDatabase& db) {
    for (int desk = 1; desk <= kDesks; ++desk) {
        addPatient({{"file_num", fileNumberOf(desk)},
                    {"pt_name", QString("Patient of desk %1").arg(desk)}},
                   db);
        for (int line = 1; line <= 3; ++line)
            addProcedure(QString("%1%2").arg(desk).arg(line), lineDescription(desk, line), 1, db);
    }
}

// Every desk is started and waits until all are ready, so that they write at the same time.
void WorkstationsTest::runDesks(const QString& uri, std::vector<std::unique_ptr<Desk>>& desks) {
    for (int number = 1; number <= kDesks; ++number) {
        desks.push_back(std::make_unique<Desk>());
        Desk& desk = *desks.back();
        desk.number = number;
        desk.process.setProcessChannelMode(QProcess::MergedChannels);
        desk.process.start(DESK_CHILD,
                           {uri, QString::number(number), QString::number(kInvoicesPerDesk)});
    }
    for (auto& desk : desks) {
        while (!desk->printed("ready") && desk->process.waitForReadyRead(30000))
            desk->output += desk->process.readAll();
        QVERIFY2(desk->printed("ready"), desk->failures().constData());
    }
    for (auto& desk : desks) {
        desk->process.write("go\n");
        desk->process.waitForBytesWritten();
    }
    for (auto& desk : desks) {
        QVERIFY(desk->process.waitForFinished(120000));
        desk->output += desk->process.readAll();
        QVERIFY2(desk->process.exitCode() == 0, desk->failures().constData());
    }
}

void WorkstationsTest::twoDesksWriteInvoicesAtOnce() {
    TestEnv env;
    PgServer server;
    QVERIFY2(server.failure().isEmpty(), qPrintable(server.failure()));
    QVERIFY2(server.createDatabase("clinic"), qPrintable(server.failure()));
    const QString uri = server.uri("clinic");
    ScopedDatabase clinic(uri);
    QSqlDatabase& db = clinic.db();
    inTransaction(db, [&] { createServerTables(db); });
    prepareClinic(db);

    std::vector<std::unique_ptr<Desk>> desks;
    runDesks(uri, desks);
    if (QTest::currentTestFailed())
        return;

    // What each desk's screen showed is what the server holds: the desk's invoices under the
    // numbers shown, with their totals paid in full, and under each exactly its own lines.
    QStringList expectedInvoices;
    QStringList expectedLines;
    QList<int> numbers;
    for (const auto& desk : desks) {
        const QList<std::pair<int, int>> saved = savedBy(*desk);
        QCOMPARE(saved.size(), kInvoicesPerDesk);
        for (int k = 1; k <= kInvoicesPerDesk; ++k) {
            const auto [number, total] = saved[k - 1];
            QCOMPARE(total, totalOfInvoice(k));
            // One desk's numbers go up in the order it saved.
            if (k > 1)
                QVERIFY(number > saved[k - 2].first);
            numbers << number;
            expectedInvoices
                << QString("%1|%2|%3|0").arg(fileNumberOf(desk->number)).arg(number).arg(total);
            for (int j = 1; j <= linesOfInvoice(k); ++j)
                expectedLines << QString("%1|%2%3|%4|%5|%6")
                                     .arg(number)
                                     .arg(desk->number)
                                     .arg(j)
                                     .arg(lineDescription(desk->number, j))
                                     .arg(10 * k + j)
                                     .arg(fileNumberOf(desk->number));
        }
    }
    QCOMPARE(
        rowsOf("SELECT file_num, po_num, po_pri, po_netd FROM pt_sh ORDER BY file_num, po_num", db),
        expectedInvoices);
    std::sort(numbers.begin(), numbers.end());
    QVERIFY(std::adjacent_find(numbers.begin(), numbers.end()) == numbers.end());
    QCOMPARE(numbers.size(), kDesks * kInvoicesPerDesk);
    std::stable_sort(expectedLines.begin(), expectedLines.end(),
                     [](const QString& a, const QString& b) {
                         return a.section('|', 0, 0).toInt() < b.section('|', 0, 0).toInt();
                     });
    QCOMPARE(rowsOf("SELECT po_num, code2, descr2, amount2, file_p FROM po_descs "
                    "ORDER BY po_num, id",
                    db),
             expectedLines);
    QCOMPARE(rowsOf("SELECT file_num, sum(amount) FROM payments GROUP BY file_num ORDER BY 1", db),
             rowsOf("SELECT file_num, sum(po_pri) FROM pt_sh GROUP BY file_num ORDER BY 1", db));

    // The invoices in the making lived in each desk's own working tables, gone with its session.
    QCOMPARE(countOf("public.po_desc", db) + countOf("public.inv_rep_data", db), 0);
    // The desks did write at the same time: each saved while the other was saving.
    const auto range = [&](int desk) {
        const auto saved = savedBy(*desks[desk]);
        return std::pair(saved.first().first, saved.last().first);
    };
    QVERIFY2(range(0).first < range(1).second && range(1).first < range(0).second,
             "the desks did not save at the same time");
}

QString WorkstationsTest::newClinic(PgServer& server) {
    if (!server.failure().isEmpty() || !server.createDatabase("clinic"))
        qFatal("%s", qPrintable(server.failure()));
    ScopedDatabase clinic(server.uri("clinic"));
    inTransaction(clinic.db(), [&] { createServerTables(clinic.db()); });
    return server.uri("clinic");
}

void WorkstationsTest::twoDesksEditingOnePatientFileLoseNothingUnseen_data() {
    QTest::addColumn<QString>("firstTypes");
    QTest::addColumn<QString>("secondTypes");
    QTest::addColumn<QString>("secondIsTold");
    QTest::addColumn<QString>("stored");
    QTest::newRow("the same name") << "Text5=Alpha"
                                   << "Text5=Beta"
                                   << "pt_name_fm: Alpha | pt_name: Leila Fatima Alpha"
                                   << "Leila|Fatima|Beta|Leila Fatima Beta";
    QTest::newRow("two parts of the name") << "Text5=Alpha"
                                           << "Text2=Layla"
                                           << "pt_name: Leila Fatima Alpha"
                                           << "Layla|Fatima|Alpha|Layla Fatima Alpha";
}

// Both desks show the file; the first saves its change, then the second its own: the second is
// told what the file now holds, nothing is written until it saves again, and then its edits go
// over what the file holds now, the full name put together from the current parts.
void WorkstationsTest::twoDesksEditingOnePatientFileLoseNothingUnseen() {
    QFETCH(QString, firstTypes);
    QFETCH(QString, secondTypes);
    QFETCH(QString, secondIsTold);
    QFETCH(QString, stored);
    TestEnv env;
    PgServer server;
    const QString uri = newClinic(server);
    ScopedDatabase clinic(uri);
    QSqlDatabase& db = clinic.db();
    addPatient({{"file_num", "7"},
                {"pt_name_f", "Leila"},
                {"pt_name_s", "Fatima"},
                {"pt_name_fm", "Before"},
                {"pt_name", "Leila Fatima Before"}},
               db);

    Desk first, second;
    startPatientDesk(first, uri, "7", firstTypes);
    startPatientDesk(second, uri, "7", secondTypes);
    startBoth(first, second);
    pressSave(first, 1);
    pressSave(second, 1);
    const auto names = [&] {
        return rowsOf("SELECT pt_name_f, pt_name_s, pt_name_fm, pt_name FROM per_inf_data", db);
    };
    QCOMPARE(names(), QStringList{"Leila|Fatima|Alpha|Leila Fatima Alpha"});
    const QString told = "message: 3197 -> The record was changed at another workstation since "
                         "you read it, and your changes were not saved. It now holds: | " +
                         secondIsTold;
    QVERIFY2(second.output.contains(told.toUtf8()), second.output.constData());
    QVERIFY(!first.output.contains("message: "));

    pressSave(second, 2);
    QCOMPARE(names(), QStringList{stored});
    QCOMPARE(second.output.count("message: "), 1);
    finish(first);
    finish(second);
}

// Both desks look up a number no file has and begin a file under it; both save at once: one file
// is filed, the other desk is told the number is taken as the look-up would tell.
void WorkstationsTest::twoDesksFilingOneNumberFileOnePatient() {
    TestEnv env;
    PgServer server;
    const QString uri = newClinic(server);
    Desk first, second;
    startPatientDesk(first, uri, "900", "Text5=First");
    startPatientDesk(second, uri, "900", "Text5=Second");
    startBoth(first, second);
    for (Desk* desk : {&first, &second}) {
        QVERIFY(desk->printed("message: not found"));
        desk->process.write("go\n");
        desk->process.waitForBytesWritten();
    }
    for (Desk* desk : {&first, &second})
        QVERIFY2(waitForLine(*desk, "saved"), desk->failures().constData());

    ScopedDatabase clinic(uri);
    const QStringList filed = rowsOf("SELECT file_num, pt_name_fm FROM per_inf_data", clinic.db());
    QCOMPARE(filed.size(), 1);
    Desk& refused = filed.first() == "900|First" ? second : first;
    QVERIFY2(filed.first() == "900|First" || filed.first() == "900|Second", qPrintable(filed[0]));
    QVERIFY2(refused.printed("message: is found"), refused.output.constData());
    QCOMPARE(first.output.count("message: ") + second.output.count("message: "), 3);
    finish(first);
    finish(second);
}

QTEST_MAIN(WorkstationsTest)
#include "test_workstations.moc"
