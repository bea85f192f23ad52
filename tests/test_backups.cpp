#include "support/clinicrows.h"
#include "support/damage.h"
#include "support/oldlayout.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "core/programdir.h"
#include "db/engine/connection.h"
#include "db/engine/databaselock.h"
#include "db/upkeep/createdb.h"
#include "db/upkeep/integrity.h"
#include "db/upkeep/upgradedb.h"
#include "db/upkeep/validation.h"
#include "settings/settingsstore.h"
#include "upkeep/backuprotation.h"
#include "upkeep/backups.h"
#include "upkeep/compactdb.h"
#include "upkeep/databaseprocedures.h"
#include "upkeep/restorebackup.h"

#include <QDir>
#include <QProcess>
#include <QTableView>
#include <QTest>
#include <QThread>
#include <atomic>
#include <unistd.h>

namespace {

QStringList copyNames(const QString& folder) {
    QStringList names;
    for (const BackupCopy& copy : backupCopies(folder))
        names << QFileInfo(copy.path).fileName();
    return names;
}

QString backupsLog() {
    return QString::fromUtf8(readFile(backupsFolder(AppSettings()) + "/backups.log"));
}

// Every row of the clinic's tables that a restore must bring back, in a fixed order.
QStringList clinicRows(const QSqlDatabase& db) {
    return rowsOf("select * from per_inf_data order by id", db) +
           rowsOf("select * from pt_sh order by po_num", db) +
           rowsOf("select * from po_descs order by id", db);
}

QStringList clinicRowsIn(const QString& path) {
    ScopedDatabase database(path);
    return clinicRows(database.db());
}

void addPatients(int first, int count) {
    for (int i = first; i < first + count; ++i)
        addPatient({{"file_num", "P" + QString::number(i)},
                    {"pt_name", QString("مريض %1, \"o'Neil\"").arg(i)},
                    {"temporary", 0}});
}

// Invoices saved one after the other as the invoice screen saves them, header and three lines in
// one transaction, until stopped.
class InvoiceSaver : public QThread {
  public:
    explicit InvoiceSaver(const QString& path) : path_(path) {}
    std::atomic<bool> stop{false};
    std::atomic<int> saved{0};

  protected:
    void run() override {
        ScopedDatabase database(path_);
        while (!stop) {
            try {
                inTransaction(database.db(), [&] {
                    const int invoice = addInvoice("P1", "06/12/2026", 300, 0, database.db());
                    for (int line = 1; line <= 3; ++line)
                        addInvoiceLine(invoice, "0" + QString::number(line), "line", 100,
                                       database.db());
                });
                ++saved;
            } catch (const AppError&) {
                // A save that waited too long is refused whole, as the screen would show it.
            }
            msleep(2);
        }
    }

  private:
    QString path_;
};

// Fills the database beyond the copy's step, so that saves fall between its steps.
void fillPages() {
    runQuery(clinicDatabase(),
             "with recursive n(i) as (select 1 union all select i + 1 from n where i < 60000) "
             "insert into po_descs (descr2, file_p, amount2, code2, po_num) "
             "select printf('%045d', i), 'FILL', i, '99', 0 from n");
}

const QString kRestoreQuestion = "Restore the database as it was on %1?\r\nWhat was entered "
                                 "since then stays only in the backup that is taken of the "
                                 "current database now.";

// Chooses the copy in the Restore list and answers Yes, as the user would.
void restoreThroughMenu(TestEnv& env, QWidget* window, int row, const QString& taken) {
    env.dialogs.expectRowChoice("Restore", row);
    env.dialogs.expectQuestion(kRestoreQuestion.arg(taken), Dialogs::Answer::Yes,
                               Dialogs::Icon::Question);
    env.dialogs.expectMessage("The database was restored as it was on " + taken + ".");
    trigger(window, "mnuRestore");
}

} // namespace

class BackupsTest : public QObject {
    Q_OBJECT
  private slots:
    void firstStartOfEachDayMakesOneCopy();
    void copiesAreThinnedToSevenDaysFourWeeksTwelveMonths();
    void failedCopyIsToldOnceAndWorkGoesOn();
    void damagedDatabaseLeavesNoCopy();
    void copyTakenWhileInvoicesAreSavedHoldsEachWhole();
    void compactionIsBackedUpFirst();
    void everyLayoutChangeIsPrecededByAVerifiedCopy_data();
    void everyLayoutChangeIsPrecededByAVerifiedCopy();
    void compactionWithoutItsBackupAsksFirst_data();
    void compactionWithoutItsBackupAsksFirst();
    void restoreBringsBackExactlyTheChosenCopy();
    void restoreRefusesADamagedCopy();
    void restoreOfACopyThatWouldBeThinnedOutWorks();
    void restoreRefusesACopyThatIsNotTheProgramsLayout_data();
    void restoreRefusesACopyThatIsNotTheProgramsLayout();
    void restoreTakesOnlyTheRowsOfACopy();
    void restoreOfAnOlderLayoutCopyIsUpgraded();
    void copiesDatedAfterTodayPushOutNoneAndAreNotOfferedFirst();
    void copiesOfAnEarlierBackupsFolderStayOfferedAndThinned();
    void compactionAndRestoreKeepALinkedDatabaseLinked_data();
    void compactionAndRestoreKeepALinkedDatabaseLinked();
    void killOrFullDiskAtAnyWriteOfRestoreLeavesAValidDatabase();
};

void BackupsTest::firstStartOfEachDayMakesOneCopy() {
    TestEnv env;
    env.createDatabase();
    addPatients(1, 3);
    const QString folder = backupsFolder(AppSettings());
    QCOMPARE(folder, env.programDirectory() + "/backups");

    for (int start = 0; start < 2; ++start) {
        backUpOnFirstStartOfDay(AppSettings());
        waitForBackgroundBackup();
    }
    QCOMPARE(backupCopies(folder).size(), 1);
    const BackupCopy first = backupCopies(folder).first();
    QCOMPARE(first.taken.date(), today());
    QCOMPARE(clinicRowsIn(first.path), clinicRows(clinicDatabase()));
    QVERIFY(backupsLog().contains(QFileInfo(first.path).fileName() + "  first start of the day  " +
                                  QString::number(first.size) + " bytes  check: ok"));

    setToday(today().addDays(1));
    backUpOnFirstStartOfDay(AppSettings());
    waitForBackgroundBackup();
    QCOMPARE(backupCopies(folder).size(), 2);
    QCOMPARE(backupCopies(folder).first().taken.date(), today());
}

// Two years of daily copies, the last taken on Tuesday 8 December 2026: the copies of 2 to 8
// December, the last of the four weeks before (Sundays 29, 22, 15 and 8 November) and the last
// day of each of the twelve months before (30 November back to 31 December 2025).
void BackupsTest::copiesAreThinnedToSevenDaysFourWeeksTwelveMonths() {
    TestEnv env;
    env.createDatabase();
    const QString folder = env.makeDir("program/backups");
    const QDate last(2026, 12, 8);
    for (QDate day(2025, 1, 1); day < last; day = day.addDays(1))
        writeFile(folder + "/korvel_data_" + day.toString("yyyy-MM-dd") + "_080000.mdb", "old");
    writeFile(folder + "/notes.mdb", "the user's own file");
    setToday(last);
    backUpWithoutStopping(AppSettings(), BackupOccasion::Requested);

    QStringList kept;
    for (const BackupCopy& copy : backupCopies(folder))
        kept << copy.taken.date().toString("yyyy-MM-dd");
    QCOMPARE(kept,
             QStringList({"2026-12-08", "2026-12-07", "2026-12-06", "2026-12-05", "2026-12-04",
                          "2026-12-03", "2026-12-02", "2026-11-30", "2026-11-29", "2026-11-22",
                          "2026-11-15", "2026-11-08", "2026-10-31", "2026-09-30", "2026-08-31",
                          "2026-07-31", "2026-06-30", "2026-05-31", "2026-04-30", "2026-03-31",
                          "2026-02-28", "2026-01-31", "2025-12-31"}));
    QVERIFY(fileExists(folder + "/notes.mdb"));

    // Every copy of today stays: the one before a restore is still there after it.
    QList<QDateTime> sameDay;
    for (int hour = 8; hour < 12; ++hour)
        sameDay << QDateTime(last, QTime(hour, 0));
    QCOMPARE(copiesToKeep(sameDay, last).size(), 4);
    QCOMPARE(copiesToKeep(sameDay, last.addDays(1)).size(), 1);
}

void BackupsTest::failedCopyIsToldOnceAndWorkGoesOn() {
    TestEnv env;
    env.createDatabase();
    addPatients(1, 2);
    const QString blocker = env.root() + "/usb-disk";
    writeFile(blocker, "a file where the folder should be");
    AppSettings().backupspath = blocker + "/korvel";
    const QByteArray before = readFile(AppSettings().databaseFilePath);

    env.dialogs.expectMessage(
        "The database could not be backed up to " + blocker + "/korvel.\r\nThe backups folder " +
            blocker +
            "/korvel cannot be made.\r\nYour work goes on as usual. Check that the folder is "
            "there, can be written and has room, or choose another one with Settings > Backups "
            "Folder.",
        Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
    QVERIFY(!backUpWithoutStopping(AppSettings(), BackupOccasion::BeforeCompaction));
    backUpOnFirstStartOfDay(AppSettings());
    waitForBackgroundBackup();

    QCOMPARE(env.log().count("error (Backup) : 75 -> The backups folder"), 2);
    QCOMPARE(readFile(AppSettings().databaseFilePath), before);
    addPatients(3, 1);
    QCOMPARE(countOf("per_inf_data"), 3);
}

void BackupsTest::damagedDatabaseLeavesNoCopy() {
    TestEnv env;
    env.createDatabase();
    closeAllDatabases();
    makeDamagedDatabase(AppSettings().databaseFilePath);
    const QString finding = damageFound(AppSettings().databaseFilePath);
    QVERIFY(!finding.isEmpty());

    try {
        backUpDatabase(AppSettings(), BackupOccasion::Requested);
        QFAIL("a damaged database was backed up");
    } catch (const AppError& error) {
        QVERIFY(error.description().contains(
            damagedDatabaseText(AppSettings().databaseFilePath, finding)));
    }
    QVERIFY(backupCopies(backupsFolder(AppSettings())).isEmpty());
    QVERIFY(QDir(backupsFolder(AppSettings())).entryList(QDir::Files).filter(".mdb").isEmpty());
    QVERIFY(backupsLog().contains("not kept, check: "));
}

void BackupsTest::copyTakenWhileInvoicesAreSavedHoldsEachWhole() {
    TestEnv env;
    const QString path = env.createDatabase();
    addPatients(1, 1);
    fillPages();
    InvoiceSaver saver(path);
    saver.start();
    QTRY_VERIFY(saver.saved > 5);
    QList<BackupCopy> copies;
    for (int i = 0; i < 3; ++i)
        copies << backUpDatabase(AppSettings(), BackupOccasion::Requested);
    saver.stop = true;
    saver.wait();

    for (const BackupCopy& copy : copies) {
        ScopedDatabase database(copy.path);
        QVERIFY(countOf("pt_sh", database.db()) > 0);
        QCOMPARE(valueIn("select count(*) from pt_sh where po_num not in (select po_num from "
                         "po_descs group by po_num having count(*) = 3)",
                         {}, database.db())
                     .toInt(),
                 0);
        QCOMPARE(
            valueIn("select count(*) from po_descs where po_num > 0", {}, database.db()).toInt(),
            3 * countOf("pt_sh", database.db()));
    }
}

void BackupsTest::compactionIsBackedUpFirst() {
    TestEnv env;
    env.createDatabase();
    addPatients(1, 2);
    registerScreens(AppSettings());
    QWidget* window = Screens::get(Screen::Main);
    env.dialogs.expectMessage("Database was compacted successfully");
    trigger(window, "mnuCompactDatabase");
    QVERIFY(backupsLog().contains("before compaction"));
    QCOMPARE(backupCopies(backupsFolder(AppSettings())).size(), 1);
}

void BackupsTest::everyLayoutChangeIsPrecededByAVerifiedCopy_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("object");
    QTest::addColumn<bool>("folderWritable");
    QTest::newRow("older layout") << "older"
                                  << "po_descs" << true;
    QTest::newRow("payment tables") << "DROP TABLE payments; DROP TABLE invoice_kinds"
                                    << "payments" << true;
    QTest::newRow("an added index") << "DROP INDEX pt_sh_fyear"
                                    << "pt_sh_fyear" << true;
    QTest::newRow("search keys") << "search keys"
                                 << "name_search_keys" << true;
    QTest::newRow("nothing to change") << ""
                                       << "payments" << true;
    QTest::newRow("no copy, no change") << "DROP TABLE payments; DROP TABLE invoice_kinds"
                                        << "payments" << false;
}

// The copy holds the file as it was before the change; without a copy the file stays as it was.
void BackupsTest::everyLayoutChangeIsPrecededByAVerifiedCopy() {
    QFETCH(QString, change);
    QFETCH(QString, object);
    QFETCH(bool, folderWritable);
    TestEnv env;
    env.createDatabase();
    addPatients(1, 2);
    if (change == "older") {
        const QString older = env.makeDir("older");
        createOldLayoutDatabase(databaseFileIn(older));
        AppSettings().setDbPath(older);
        env.dialogs.expectMessage("The database has been modified successfully");
    } else if (change == "search keys") {
        dropSearchKeys();
    } else {
        for (const QString& statement : change.split("; ", Qt::SkipEmptyParts))
            runQuery(clinicDatabase(), statement);
    }
    const QString blocker = env.root() + "/usb-disk";
    if (!folderWritable) {
        writeFile(blocker, "a file where the folder should be");
        AppSettings().backupspath = blocker + "/korvel";
        env.dialogs.expectMessage(
            "The database could not be backed up to " + blocker +
                "/korvel.\r\nThe backups "
                "folder " +
                blocker +
                "/korvel cannot be made.\r\nYour work goes on as usual. "
                "Check that the folder is there, can be written and has room, or choose another "
                "one with Settings > Backups Folder.",
            Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
    }
    const QString has = "SELECT count(*) FROM sqlite_master WHERE name = '" + object + "'";
    const bool hadIt = valueIn(has).toBool();
    UpgradeDB(AppSettings());
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    const QList<BackupCopy> copies = backupCopies(backupsFolder(AppSettings()));
    QCOMPARE(copies.size(), change.isEmpty() || !folderWritable ? 0 : 1);
    QCOMPARE(valueIn(has).toBool(), folderWritable || hadIt);
    if (!copies.isEmpty()) {
        ScopedDatabase copy(copies.first().path);
        QCOMPARE(valueIn(has, {}, copy.db()).toBool(), hadIt);
        QVERIFY(backupsLog().contains("before upgrade"));
    }
}

void BackupsTest::compactionWithoutItsBackupAsksFirst_data() {
    QTest::addColumn<bool>("goOn");
    QTest::newRow("the user stops") << false;
    QTest::newRow("the user goes on") << true;
}

// Every time, not only at the first failure of a run: the reason, then the question.
void BackupsTest::compactionWithoutItsBackupAsksFirst() {
    QFETCH(bool, goOn);
    TestEnv env;
    env.createDatabase();
    addPatients(1, 2);
    runQuery(clinicDatabase(), "DELETE FROM per_inf_data WHERE file_num = 'P1'");
    registerScreens(AppSettings());
    const QString blocker = env.root() + "/usb-disk";
    writeFile(blocker, "a file where the folder should be");
    AppSettings().backupspath = blocker;
    const QByteArray before = readFile(AppSettings().databaseFilePath);
    const QString question = "The database could not be backed up to " + blocker +
                             ".\r\nThe backups folder " + blocker +
                             " cannot be made.\r\nYour work goes on as usual. Check that the "
                             "folder is there, can be written and has room, or choose another one "
                             "with Settings > Backups Folder.\r\nCompact the database without "
                             "this backup?";
    for (int run = 0; run < 2; ++run) {
        env.dialogs.expectQuestion(question, goOn ? Dialogs::Answer::Yes : Dialogs::Answer::No,
                                   Dialogs::Icon::Exclamation);
        if (goOn)
            env.dialogs.expectMessage("Database was compacted successfully");
        trigger(Screens::get(Screen::Main), "mnuCompactDatabase");
        QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    }
    QCOMPARE(readFile(AppSettings().databaseFilePath) == before, !goOn);
    QCOMPARE(countOf("per_inf_data"), 1);
}

void BackupsTest::restoreBringsBackExactlyTheChosenCopy() {
    TestEnv env;
    const QString path = env.createDatabase();
    registerScreens(AppSettings());
    QWidget* window = Screens::get(Screen::Main);
    addPatients(1, 3);
    addInvoiceLine(addInvoice("P1", "06/11/2026", 500, 100), "01", "visit", 500);
    setToday(QDate(2026, 11, 6));
    const QStringList monthOld = clinicRows(clinicDatabase());
    backUpDatabase(AppSettings(), BackupOccasion::FirstStartOfDay);
    setToday(QDate(2026, 12, 6));
    addPatients(4, 2);
    const QStringList latest = clinicRows(clinicDatabase());
    const BackupCopy latestCopy = backUpDatabase(AppSettings(), BackupOccasion::Requested);
    addPatients(6, 1);
    const QStringList current = clinicRows(clinicDatabase());

    // The search screen is open on the patients as they are now, and must follow the restore.
    QWidget* search = showScreen(Screen::PatientSearch);
    QCOMPARE(grid(search, "DBGrid1")->model()->rowCount(), 6);
    search->close();
    discardClosed();

    const QString monthOldTaken =
        backupCopies(backupsFolder(AppSettings())).last().taken.toString("dd/MM/yyyy HH:mm:ss");
    restoreThroughMenu(env, window, 1, monthOldTaken);
    QCOMPARE(env.dialogs.choiceShown().size(), 3);
    QCOMPARE(env.dialogs.choiceShown()[0],
             QStringList({"Taken", "Size", "Patients", "Invoices", "Folder", "File"}));
    QCOMPARE(env.dialogs.choiceShown()[1].mid(2, 2), QStringList({"5", "1"}));
    QCOMPARE(env.dialogs.choiceShown()[2].mid(2, 2), QStringList({"3", "1"}));
    QCOMPARE(clinicRowsIn(path), monthOld);
    QCOMPARE(clinicRows(clinicDatabase()), monthOld);
    search = showScreen(Screen::PatientSearch);
    QCOMPARE(grid(search, "DBGrid1")->model()->rowCount(), 3);
    search->close();
    discardClosed();

    // What stood there before the restore is the newest copy now, and can be put back in turn.
    const BackupCopy beforeRestore = backupCopies(backupsFolder(AppSettings())).first();
    QCOMPARE(clinicRowsIn(beforeRestore.path), current);
    QVERIFY(backupsLog().contains(QFileInfo(beforeRestore.path).fileName() + "  before restore"));
    const QStringList names = copyNames(backupsFolder(AppSettings()));
    const int latestRow = names.indexOf(QFileInfo(latestCopy.path).fileName());
    restoreThroughMenu(env, window, latestRow, latestCopy.taken.toString("dd/MM/yyyy HH:mm:ss"));
    QCOMPARE(clinicRowsIn(path), latest);
    QVERIFY(fileExists(latestCopy.path));
    QVERIFY(!fileExists(path + ".restoring"));
}

void BackupsTest::restoreRefusesADamagedCopy() {
    TestEnv env;
    const QString path = env.createDatabase();
    registerScreens(AppSettings());
    addPatients(1, 2);
    const QStringList current = clinicRows(clinicDatabase());
    const QString folder = env.makeDir("program/backups");
    const QString damaged = folder + "/korvel_data_2026-12-01_080000.mdb";
    QFile::copy(path, damaged);
    makeDamagedDatabase(damaged);
    const QString finding = damageFound(damaged);

    env.dialogs.expectRowChoice("Restore", 0);
    env.dialogs.expectQuestion(kRestoreQuestion.arg("01/12/2026 08:00:00"), Dialogs::Answer::Yes,
                               Dialogs::Icon::Question);
    env.dialogs.expectMessage("The database was not restored.\r\n" +
                                  damagedDatabaseText(damaged, finding),
                              Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
    trigger(Screens::get(Screen::Main), "mnuRestore");
    QCOMPARE(clinicRowsIn(path), current);
    QCOMPARE(backupCopies(folder).size(), 1);
}

// A folder filled by hand (or by another program) with more copies than are kept: the copy taken
// before the restore does not thin out the one about to be restored.
void BackupsTest::restoreOfACopyThatWouldBeThinnedOutWorks() {
    TestEnv env;
    const QString path = env.createDatabase();
    registerScreens(AppSettings());
    addPatients(1, 2);
    const QString first = backUpDatabase(AppSettings(), BackupOccasion::Requested).path;
    const QStringList old = clinicRowsIn(first);
    const QString folder = backupsFolder(AppSettings());
    const QString oldest = folder + "/korvel_data_2026-01-01_080000.mdb";
    QFile::rename(first, oldest);
    for (QDate day(2026, 1, 2); day <= QDate(2026, 2, 9); day = day.addDays(1))
        QFile::copy(oldest, folder + "/korvel_data_" + day.toString("yyyy-MM-dd") + "_080000.mdb");
    addPatients(3, 2);

    restoreBackup(AppSettings(), oldest);
    QCOMPARE(clinicRowsIn(path), old);
    QVERIFY(fileExists(oldest));
}

namespace {

// A backup of the clinic's database changed by the statements, as a hand or another program
// could change a file in the backups folder.
QString craftedCopy(const QStringList& statements) {
    const QString copy = backUpDatabase(AppSettings(), BackupOccasion::Requested).path;
    ScopedDatabase database(copy);
    for (const QString& statement : statements)
        runQuery(database.db(), statement);
    return copy;
}

} // namespace

void BackupsTest::restoreRefusesACopyThatIsNotTheProgramsLayout_data() {
    QTest::addColumn<QStringList>("change");
    QTest::addColumn<QString>("finding");
    QTest::newRow("another program's file with a po_desc table")
        << QStringList{"DROP TABLE per_inf_data",  "DROP TABLE pt_sh",
                       "DROP TABLE file_desc",     "DROP TABLE inv_rep_data",
                       "DROP TABLE po_descs",      "DROP TABLE payments",
                       "DROP TABLE invoice_kinds", "CREATE TABLE notes (body TEXT)"}
        << "the table file_desc is missing\r\nthe table inv_rep_data is missing\r\nthe table "
           "per_inf_data is missing\r\nthe table pt_sh is missing\r\nnotes is not one of "
           "Korvel's tables";
    QTest::newRow("no patients' table")
        << QStringList{"DROP TABLE per_inf_data"} << "the table per_inf_data is missing";
    QTest::newRow("no invoices' table")
        << QStringList{"DROP TABLE pt_sh"} << "the table pt_sh is missing";
    QTest::newRow("patients as an empty view")
        << QStringList{"DROP TABLE per_inf_data",
                       "CREATE VIEW per_inf_data AS SELECT 1 AS id WHERE 0"}
        << "per_inf_data is a view, not a table";
    QTest::newRow("a column of another type")
        << QStringList{"ALTER TABLE per_inf_data DROP COLUMN comm",
                       "ALTER TABLE per_inf_data ADD comm BLOB"}
        << "the column per_inf_data.comm is of the type \"BLOB\" instead of \"TEXT\"";
    QTest::newRow("a column that is not the program's")
        << QStringList{"ALTER TABLE per_inf_data ADD notes TEXT"}
        << "the column per_inf_data.notes is not one of Korvel's";
    QTest::newRow("a column missing") << QStringList{"ALTER TABLE po_descs DROP COLUMN amount2"}
                                      << "the table po_descs has no column amount2";
    QTest::newRow("payments without the invoices' kinds")
        << QStringList{"DROP TABLE invoice_kinds"} << "the table invoice_kinds is missing";
    QTest::newRow("not a database at all") << QStringList{} << "file is not a database";
}

// Refused before anything changes: no copy of the current database is taken, the database stays
// as it was, and the user is told what is wrong with the copy.
void BackupsTest::restoreRefusesACopyThatIsNotTheProgramsLayout() {
    QFETCH(QStringList, change);
    QFETCH(QString, finding);
    TestEnv env;
    const QString path = env.createDatabase();
    registerScreens(AppSettings());
    addPatients(1, 2);
    QString copy = craftedCopy(change);
    if (change.isEmpty())
        writeFile(copy, "PK\x03\x04 a zip archive, not a database");
    const int copies = backupCopies(backupsFolder(AppSettings())).size();
    const QStringList rows = clinicRows(clinicDatabase());

    try {
        restoreBackup(AppSettings(), copy);
        QFAIL("the copy was restored");
    } catch (const AppError& error) {
        QCOMPARE(error.description(),
                 copy + " is not a database of Korvel:\r\n" + finding + "\r\nNothing was changed.");
    }
    QCOMPARE(backupCopies(backupsFolder(AppSettings())).size(), copies);
    QCOMPARE(clinicRowsIn(path), rows);
    QVERIFY(!fileExists(path + ".restoring"));
}

// A copy carrying a trigger (and a view and an index of its own) is restored as the clinic's rows
// alone: saving a patient afterwards leaves every invoice and payment in place.
void BackupsTest::restoreTakesOnlyTheRowsOfACopy() {
    TestEnv env;
    const QString path = env.createDatabase();
    registerScreens(AppSettings());
    addPatients(1, 2);
    addInvoiceLine(addInvoice("P1", "06/11/2026", 500, 100), "01", "visit", 500);
    runQuery(clinicDatabase(), "INSERT INTO payments (po_num, file_num, pay_day, amount, kind) "
                               "VALUES (1, 'P1', '2026-11-06', 400, 'Cash')");
    const QStringList rows = clinicRows(clinicDatabase());
    const QString copy = craftedCopy(
        {"CREATE TRIGGER wipe AFTER INSERT ON per_inf_data BEGIN DELETE FROM pt_sh; DELETE FROM "
         "po_descs; DELETE FROM payments; END",
         "CREATE VIEW everything AS SELECT * FROM pt_sh", "CREATE INDEX mine ON pt_sh (po_pri)"});
    addPatients(3, 1);

    restoreBackup(AppSettings(), copy);
    QCOMPARE(clinicRowsIn(path), rows);
    QCOMPARE(firstColumnOf("SELECT name FROM sqlite_master WHERE name IN ('wipe', 'everything', "
                           "'mine')"),
             QStringList());
    addPatients(4, 1);
    QCOMPARE(countOf("pt_sh"), 1);
    QCOMPARE(countOf("po_descs"), 1);
    QCOMPARE(countOf("payments"), 1);
}

// A copy taken before an upgrade has the older layout: its rows come back, brought up to date.
void BackupsTest::restoreOfAnOlderLayoutCopyIsUpgraded() {
    TestEnv env;
    const QString path = env.createDatabase();
    registerScreens(AppSettings());
    const QString folder = backupsFolder(AppSettings());
    QDir().mkpath(folder);
    const QString copy = folder + "/korvel_data_2026-01-01_080000.mdb";
    createOldLayoutDatabase(copy);
    {
        ScopedDatabase old(copy);
        addPatient({{"file_num", "P9"}, {"pt_name", "old file"}}, old.db());
        runQuery(old.db(), "INSERT INTO pt_sh (file_num, po_date, po_pri, fmon, fyear) VALUES "
                           "('P9', '01/01/2026', 300, '01/2026', '2026')");
        runQuery(old.db(), "INSERT INTO po_desc (descr2, code2, amount2) VALUES ('a', '01', 1)");
    }
    env.dialogs.expectMessage("The database has been modified successfully");
    restoreBackup(AppSettings(), copy);
    QVERIFY(!UpgradeNeeded(path));
    QCOMPARE(firstColumnOf("SELECT pt_name FROM per_inf_data"), QStringList{"old file"});
    QCOMPARE(rowsOf("SELECT po_num, po_pri, po_netd FROM pt_sh"), QStringList{"1|300|0"});
    QCOMPARE(rowsOf("SELECT amount, kind FROM payments"), QStringList{"300|Carried over"});
    QCOMPARE(rowsOf("SELECT id, descr2 FROM po_desc"), QStringList{"1|a"});
}

// Copies dated in 2099 (a clock that once ran ahead) neither thin out the copies of the last
// days nor stand first in the Restore list, where they come after the others.
void BackupsTest::copiesDatedAfterTodayPushOutNoneAndAreNotOfferedFirst() {
    TestEnv env;
    env.createDatabase();
    registerScreens(AppSettings());
    const QString folder = env.makeDir("program/backups");
    const QString copy = backUpDatabase(AppSettings(), BackupOccasion::Requested).path;
    QStringList names;
    for (int day = 1; day <= 14; ++day)
        names << "korvel_data_2099-01-" + QString::asprintf("%02d", day) + "_080000.mdb";
    for (int day = 5; day <= 7; ++day)
        names << "korvel_data_2026-12-0" + QString::number(day) + "_080000.mdb";
    for (const QString& name : names)
        QFile::copy(copy, folder + "/" + name);
    QFile::remove(copy);
    setToday(QDate(2026, 12, 8));
    backUpWithoutStopping(AppSettings(), BackupOccasion::FirstStartOfDay);

    const QStringList kept = copyNames(folder);
    for (const QString& name : names)
        QVERIFY2(kept.contains(name), qPrintable(name + " not in " + kept.join(" ")));
    QCOMPARE(kept.size(), names.size() + 1);

    env.dialogs.expectRowChoice("Restore", std::nullopt);
    trigger(Screens::get(Screen::Main), "mnuRestore");
    const QList<QStringList> shown = env.dialogs.choiceShown();
    QCOMPARE(shown.value(1).last(), kept.value(14));
    QVERIFY(shown.value(1).first().startsWith("08/12/2026"));
    QCOMPARE(shown.value(4).last(), QString("korvel_data_2026-12-05_080000.mdb"));
    QCOMPARE(shown.value(5).last(), QString("korvel_data_2099-01-14_080000.mdb"));
}

// After the backups folder is changed, the old folder's copies stay: Restore offers the copies of
// both, newest first, saying where each is, and the old folder is thinned by the same rule.
// Remembered entries that are not folders now are passed over.
void BackupsTest::copiesOfAnEarlierBackupsFolderStayOfferedAndThinned() {
    TestEnv env;
    const QString path = env.createDatabase();
    registerScreens(AppSettings());
    QWidget* window = Screens::get(Screen::Main);
    addPatients(1, 2);
    setToday(QDate(2026, 12, 1));
    const BackupCopy old = backUpDatabase(AppSettings(), BackupOccasion::Requested);
    const QStringList oldRows = clinicRowsIn(old.path);
    const QString oldFolder = backupsFolder(AppSettings());
    for (int day = 1; day <= 30; ++day)
        writeFile(oldFolder + QString::asprintf("/korvel_data_2026-10-%02d_080000.mdb", day),
                  "old");
    QFile::copy(old.path, oldFolder + "/korvel_data_2099-01-01_080000.mdb");
    writeFile(oldFolder + "/notes.mdb", "the user's own file");

    const QString newFolder = env.makeDir("usb");
    env.dialogs.expectPickFolder("Select Backups Folder", newFolder);
    env.dialogs.expectMessage("The backups go to " + newFolder + " from now on.");
    trigger(window, "mnuBackupsFolder");
    QCOMPARE(ReadRegValue(Setting::OldBackupsPaths), oldFolder);
    AppSettings().oldbackupspaths +=
        "\n/nowhere\nrelative/folder\n" + path + "\n" + newFolder + "\n" + oldFolder + "/";

    addPatients(3, 1);
    setToday(QDate(2026, 12, 8));
    const BackupCopy latest = backUpDatabase(AppSettings(), BackupOccasion::Requested);
    QCOMPARE(QFileInfo(latest.path).absolutePath(), newFolder);
    QCOMPARE(copyNames(oldFolder).filter("2026-10-"),
             QStringList({"korvel_data_2026-10-30_080000.mdb", "korvel_data_2026-10-29_080000.mdb",
                          "korvel_data_2026-10-28_080000.mdb", "korvel_data_2026-10-27_080000.mdb",
                          "korvel_data_2026-10-26_080000.mdb", "korvel_data_2026-10-25_080000.mdb",
                          "korvel_data_2026-10-18_080000.mdb", "korvel_data_2026-10-11_080000.mdb",
                          "korvel_data_2026-10-04_080000.mdb"}));
    QVERIFY(fileExists(old.path));
    QVERIFY(fileExists(oldFolder + "/notes.mdb"));

    restoreThroughMenu(env, window, 1, old.taken.toString("dd/MM/yyyy HH:mm:ss"));
    const QList<QStringList> shown = env.dialogs.choiceShown();
    QCOMPARE(shown.size(), 1 + 2 + 9 + 1);
    QCOMPARE(shown[1].mid(4), QStringList({newFolder, QFileInfo(latest.path).fileName()}));
    QCOMPARE(shown[2].mid(4), QStringList({oldFolder, QFileInfo(old.path).fileName()}));
    QCOMPARE(shown[3].mid(4), QStringList({oldFolder, "korvel_data_2026-10-30_080000.mdb"}));
    QCOMPARE(shown.last().mid(4), QStringList({oldFolder, "korvel_data_2099-01-01_080000.mdb"}));
    QCOMPARE(clinicRowsIn(path), oldRows);
}

void BackupsTest::compactionAndRestoreKeepALinkedDatabaseLinked_data() {
    QTest::addColumn<bool>("symbolic");
    QTest::addColumn<bool>("restore");
    QTest::newRow("symbolic link, compaction") << true << false;
    QTest::newRow("symbolic link, restore") << true << true;
    QTest::newRow("hard link, compaction") << false << false;
    QTest::newRow("hard link, restore") << false << true;
}

// The settings name clinic/korvel_data.mdb, a link to real/korvel_data.mdb: after a compaction or
// a restore the link still leads to the file, which holds the result, and new work goes there.
void BackupsTest::compactionAndRestoreKeepALinkedDatabaseLinked() {
    QFETCH(bool, symbolic);
    QFETCH(bool, restore);
    TestEnv env;
    const QString path = env.createDatabase();
    registerScreens(AppSettings());
    closeAllDatabases();
    const QString real = env.makeDir("real") + "/korvel_data.mdb";
    QVERIFY(QFile::rename(path, real));
    QVERIFY(symbolic ? QFile::link(real, path)
                     : ::link(QFile::encodeName(real), QFile::encodeName(path)) == 0);
    addPatients(1, 3);
    const QString copy = backUpDatabase(AppSettings(), BackupOccasion::Requested).path;
    const QStringList expected = restore ? clinicRowsIn(copy) : QStringList();
    addPatients(4, 2);
    if (restore) {
        restoreBackup(AppSettings(), copy);
    } else {
        runQuery(clinicDatabase(), "DELETE FROM per_inf_data");
        QVERIFY(CompactDB(AppSettings(), path, AppSettings().dbpath + "/test.mdb"));
    }

    QCOMPARE(QFileInfo(path).isSymLink(), symbolic);
    QCOMPARE(clinicRowsIn(real), expected);
    addPatients(9, 1);
    QCOMPARE(firstColumnOf("SELECT file_num FROM per_inf_data ORDER BY id DESC LIMIT 1",
                           ScopedDatabase(real).db()),
             QStringList{"P9"});
    QVERIFY(!fileExists(AppSettings().dbpath + "/test.mdb"));
}

namespace {

// A clinic whose database has moved on since its copy of a month ago.
struct RestoreRun {
    TestEnv env;
    QString path;
    QString copy;
    QStringList currentRows;
    QStringList copyRows;

    RestoreRun() {
        path = env.createDatabase();
        addPatients(1, 3);
        copyRows = clinicRows(clinicDatabase());
        copy = backUpDatabase(AppSettings(), BackupOccasion::Requested).path;
        addPatients(4, 3);
        currentRows = clinicRows(clinicDatabase());
        closeAllDatabases();
        releaseDatabaseLock();
    }

    // Runs the program in a process of its own and restores the copy there; true when the
    // restore ran to its end.
    bool restoreInChild(const QString& faultMode, int faultAt) const {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", FAULT_SHIM);
        environment.insert("KORVEL_FAULT_MODE", faultMode);
        environment.insert("KORVEL_FAULT_AT", QString::number(faultAt));
        child.setProcessEnvironment(environment);
        child.start(STARTUP_CHILD,
                    {env.programDirectory(), env.root() + "/config", "restore", copy});
        if (!child.waitForFinished(30000)) {
            child.kill();
            child.waitForFinished();
        }
        return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    }

    // A sound database of this program stands at the path, holding what it held or the copy.
    QString whatStands() const {
        if (!ValidDB(path) || !damageFound(path).isEmpty())
            return "no valid database";
        const QStringList rows = clinicRowsIn(path);
        return rows == currentRows ? "current" : rows == copyRows ? "copy" : "other rows";
    }
};

} // namespace

// The restore cut off at every file write, rename and deletion in turn, by a kill or by a full
// disk: a valid database always stands in place, the one before or the copy, whole.
void BackupsTest::killOrFullDiskAtAnyWriteOfRestoreLeavesAValidDatabase() {
    int writes = 0;
    for (int at = 1;; ++at) {
        QVERIFY2(at < 400, "the restore never ran to its end");
        RestoreRun run;
        const bool finished = run.restoreInChild("kill", at);
        const QString stands = run.whatStands();
        QVERIFY2(stands == "current" || stands == "copy",
                 qPrintable(QString("kill at %1: %2").arg(at).arg(stands)));
        if (finished) {
            QCOMPARE(stands, QString("copy"));
            writes = at - 1;
            break;
        }
    }
    QVERIFY(writes > 10);
    for (int at = 1; at <= writes; ++at) {
        RestoreRun run;
        const bool finished = run.restoreInChild("full", at);
        const QString stands = run.whatStands();
        QVERIFY2(stands == QString(finished ? "copy" : "current"),
                 qPrintable(QString("full disk at %1: %2").arg(at).arg(stands)));
    }
}

QTEST_MAIN(BackupsTest)
#include "test_backups.moc"
