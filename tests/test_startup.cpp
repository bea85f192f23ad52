#include "support/clinicrows.h"
#include "support/damage.h"
#include "support/oldlayout.h"
#include "support/testenv.h"

#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "app/startup.h"
#include "core/errorlog.h"
#include "core/programdir.h"
#include "db/engine/connection.h"
#include "db/engine/databaselock.h"
#include "db/upkeep/createdb.h"
#include "db/upkeep/integrity.h"
#include "db/upkeep/validation.h"
#include "screens/screens.h"
#include "settings/settingsstore.h"
#include "upkeep/backups.h"
#include "upkeep/integritywatch.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTest>
#include <QThread>
#include <optional>
#include <sys/stat.h>

namespace {
const QString kCreateQuestion = "Do you want to create a NEW Database!?";
const QString kNoDatabase =
    "You cannot use this program without the VALID Database korvel_data.mdb!\r\nkorvel_data.mdb";
const QString kInvalid = "This does NOT appear to be a valid Database for this program";

// What a second copy is asked when the first holds the lock of the file at `path`.
QString inUseQuestion(const QString& named, const QString& path, qint64 holder) {
    const QDateTime since = QFileInfo(path + ".lock").lastModified();
    return "The database " + named + " is in use by another copy of this program on the computer " +
           QSysInfo::machineHostName() + " since " + since.toString("dd/MM/yyyy HH:mm") +
           " (process " + QString::number(holder) +
           ").\r\nOnly one copy can work on a database at a time: close the other copy "
           "first.\r\nDo you want to try again?";
}

// Settings as an earlier run left them, with the database in the given directory.
void storeDbPath(const QString& directory) {
    AppSettings().setDbPath(directory);
    AppSettings().letterhead = DefaultLetterhead();
    WriteAllSettings(AppSettings());
    AppSettings() = AppSettingsRecord();
}

QString busyText(const QString& path) {
    return "The database " + path +
           " is in use by another program, which keeps it locked.\r\nDo you want to try again?";
}

QString damagedText(const QString& path) {
    return "The database " + path + " is damaged (" + damageFound(path) +
           ").\r\nWorking on it can lose more data: make a copy of the file now, and go back to "
           "your last good copy of the database or have this one repaired.";
}
} // namespace

class StartUpTest : public QObject {
    Q_OBJECT
  private slots:
    void firstRunCreatesTheDatabaseAndStoresTheDefaults();
    void declinedCreationAndCancelledPickerEndTheProgram();
    void storedFileThatIsNotOurDatabaseEndsTheProgram();
    void pickedDirectoryWithAValidDatabaseIsStored();
    void validStoredDatabaseStartsWithoutAnyDialog();
    void olderDatabaseIsUpgradedAtStart();
    void everyStartEmptiesTheLog();
    void databaseLockedByAnotherProgramIsOfferedAgain();
    void secondCopyIsToldWhoWorksOnTheFileAndStops();
    void secondCopyThroughALinkIsToldToo();
    void whatAKillLeftIsRemovedAtStart();
    void unusableDatabasePathIsNamedBeforeTheCreationQuestion_data();
    void unusableDatabasePathIsNamedBeforeTheCreationQuestion();
    void damagedDatabaseIsToldBeforeWork();
    void aSaveDuringTheIntegrityCheckIsNotRefused();
};

void StartUpTest::firstRunCreatesTheDatabaseAndStoresTheDefaults() {
    TestEnv env;
    env.dialogs.expectQuestion(kCreateQuestion, Dialogs::Answer::Yes);
    env.dialogs.expectMessage("Datebase was created successfully");
    QVERIFY(StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));

    QCOMPARE(ReadRegValue("dbpath"), env.programDirectory());
    QCOMPARE(ReadRegValue("reportspath"), env.programDirectory());
    QCOMPARE(ReadRegValue("drname"), QString("Enter Doctor Name"));
    QCOMPARE(AppSettings().databaseFilePath, env.programDirectory() + "/korvel_data.mdb");
    QVERIFY(ValidDB(AppSettings().databaseFilePath));
    QCOMPARE(env.log(), QString());
}

void StartUpTest::declinedCreationAndCancelledPickerEndTheProgram() {
    TestEnv env;
    env.dialogs.expectQuestion(kCreateQuestion, Dialogs::Answer::No);
    env.dialogs.expectPickFolder("korvel_data.mdb", "");
    env.dialogs.expectMessage(kNoDatabase);
    QVERIFY(!StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QVERIFY(!fileExists(env.programDirectory() + "/korvel_data.mdb"));
}

void StartUpTest::storedFileThatIsNotOurDatabaseEndsTheProgram() {
    TestEnv env;
    const QString directory = env.makeDir("clinic");
    writeFile(directory + "/korvel_data.mdb", "not a database");
    storeDbPath(directory);
    env.dialogs.expectPickFolder("korvel_data.mdb", directory);
    env.dialogs.expectMessage(kInvalid);
    QVERIFY(!StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QVERIFY(env.log().startsWith("error (ValidDB) : "));
}

void StartUpTest::pickedDirectoryWithAValidDatabaseIsStored() {
    TestEnv env;
    const QString path = env.createDatabase();
    const QString moved = env.makeDir("moved");
    QFile::rename(path, moved + "/korvel_data.mdb");
    storeDbPath(env.makeDir("gone"));
    // The program directory holds no database any more, so creation is offered first.
    env.dialogs.expectQuestion(kCreateQuestion, Dialogs::Answer::No);
    env.dialogs.expectPickFolder("korvel_data.mdb", moved);
    QVERIFY(StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QCOMPARE(ReadRegValue("dbpath"), moved);
    QCOMPARE(AppSettings().databaseFilePath, moved + "/korvel_data.mdb");
}

void StartUpTest::validStoredDatabaseStartsWithoutAnyDialog() {
    TestEnv env;
    const QString directory = env.makeDir("data");
    AppSettings().setDbPath(directory);
    env.createDatabase();
    QFile::rename(env.programDirectory() + "/korvel_data.mdb", directory + "/korvel_data.mdb");
    storeDbPath(directory);
    SaveRegValue("clinicname", "عيادة الشفاء");
    registerScreens(AppSettings());

    QVERIFY(StartUp(AppSettings()));
    QVERIFY2(env.dialogs.shown().isEmpty(), qPrintable(env.dialogs.shown().join(" | ")));
    QCOMPARE(AppSettings().databaseFilePath, directory + "/korvel_data.mdb");
    auto* label = Screens::get(Screen::Main)->findChild<QLabel*>("Label1");
    QVERIFY(label);
    QCOMPARE(label->text(), QString("عيادة الشفاء"));
}

void StartUpTest::olderDatabaseIsUpgradedAtStart() {
    TestEnv env;
    storeDbPath(env.programDirectory());
    createOldLayoutDatabase(env.programDirectory() + "/korvel_data.mdb");
    env.dialogs.expectMessage("The database has been modified successfully");
    QVERIFY(StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QVERIFY(!UpgradeNeeded(AppSettings().databaseFilePath));
    QCOMPARE(AppSettings().letterhead.clinicname, QString("KORVEL"));
}

void StartUpTest::everyStartEmptiesTheLog() {
    TestEnv env;
    env.createDatabase();
    storeDbPath(env.programDirectory());
    ErrorLog::write("error (main) : ", 1, "from the last run");
    QVERIFY(!env.log().isEmpty());
    QVERIFY(StartUp(AppSettings()));
    QCOMPARE(env.log(), QString());
}

// The file is valid, only busy: it is never called invalid, never replaced, and no folder is asked
// for; the user may try again.
void StartUpTest::databaseLockedByAnotherProgramIsOfferedAgain() {
    TestEnv env;
    const QString path = env.createDatabase();
    storeDbPath(env.programDirectory());
    const QByteArray before = readFile(path);
    ScopedDatabase otherProgram(path);
    runQuery(otherProgram.db(), "BEGIN EXCLUSIVE");
    env.dialogs.expectQuestion(busyText(path), Dialogs::Answer::Yes);
    env.dialogs.expectQuestion(busyText(path), Dialogs::Answer::No);
    QVERIFY(!StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    runQuery(otherProgram.db(), "ROLLBACK");
    QCOMPARE(readFile(path), before);
    QVERIFY(ValidDB(path));
}

// The first copy runs in a process of its own with an invoice being written; a second copy is
// told which computer and process hold the file since when, and stops without touching it. Once
// the first copy is killed, its lock is taken over.
void StartUpTest::secondCopyIsToldWhoWorksOnTheFileAndStops() {
    TestEnv env;
    const QString path = env.createDatabase();
    storeDbPath(env.programDirectory());
    // Creating the database made this process its holder; the first copy is another process.
    releaseDatabaseLock();
    QProcess firstCopy;
    firstCopy.start(STARTUP_CHILD, {env.programDirectory(), env.root() + "/config", "stay"});
    QVERIFY(firstCopy.waitForReadyRead(20000));
    QVERIFY(firstCopy.readAll().contains("started"));
    runQuery(
        ScopedDatabase(path).db(),
        "INSERT INTO po_desc (code2, descr2, file_p, amount2) VALUES ('12', 'Visit', 'P1', 150)");

    env.dialogs.expectQuestion(inUseQuestion(path, path, firstCopy.processId()),
                               Dialogs::Answer::No);
    QVERIFY(!StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QCOMPARE(rowsOf("SELECT code2, file_p, amount2 FROM po_desc", ScopedDatabase(path).db()),
             QStringList{"12|P1|150"});

    firstCopy.kill();
    QVERIFY(firstCopy.waitForFinished(10000));
    QVERIFY(StartUp(AppSettings()));
    QVERIFY2(env.dialogs.shown().size() == 1, qPrintable(env.dialogs.shown().join(" | ")));
    QLockFile lock(path + ".lock");
    qint64 holder = 0;
    QString host, application;
    QVERIFY(lock.getLockInfo(&holder, &host, &application));
    QCOMPARE(holder, QCoreApplication::applicationPid());
}

// One copy works on the file through its own folder; a second one, set to reach it through a
// symbolic link from another folder, takes the same lock.
void StartUpTest::secondCopyThroughALinkIsToldToo() {
    TestEnv env;
    const QString path = env.createDatabase();
    storeDbPath(env.programDirectory());
    releaseDatabaseLock();
    const QString linked = env.makeDir("clinic") + "/korvel_data.mdb";
    QVERIFY(QFile::link(path, linked));
    QProcess firstCopy;
    firstCopy.start(STARTUP_CHILD, {env.programDirectory(), env.root() + "/config", "stay"});
    QVERIFY(firstCopy.waitForReadyRead(20000));
    QVERIFY(firstCopy.readAll().contains("started"));
    storeDbPath(env.root() + "/clinic");

    env.dialogs.expectQuestion(inUseQuestion(linked, path, firstCopy.processId()),
                               Dialogs::Answer::No);
    QVERIFY(!StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    firstCopy.kill();
    QVERIFY(firstCopy.waitForFinished(10000));
}

// Half-written copies of the patient data that kills left beside the database and in the backups
// folder are removed by the next start; the clinic's own files stay.
void StartUpTest::whatAKillLeftIsRemovedAtStart() {
    TestEnv env;
    const QString path = env.createDatabase();
    storeDbPath(env.programDirectory());
    releaseDatabaseLock();
    const QString backups = env.makeDir("program/backups");
    const QStringList left{path + ".restoring",
                           path + ".restoring-journal",
                           path + ".restoring.new",
                           env.programDirectory() + "/test.mdb",
                           env.programDirectory() + "/test.mdb-journal",
                           backups + "/korvel_data_2026-12-06_080000.mdb.partial",
                           backups + "/korvel_data_2026-12-06_080000.mdb.partial-journal"};
    const QStringList kept{backups + "/korvel_data_2026-12-05_080000.mdb",
                           env.programDirectory() + "/notes.mdb"};
    for (const QString& file : left + kept)
        writeFile(file, "patient data");
    QVERIFY(StartUp(AppSettings()));
    waitForBackgroundBackup();
    for (const QString& file : left)
        QVERIFY2(!fileExists(file), qPrintable(file));
    for (const QString& file : kept)
        QVERIFY2(fileExists(file), qPrintable(file));
}

void StartUpTest::unusableDatabasePathIsNamedBeforeTheCreationQuestion_data() {
    QTest::addColumn<QString>("dbpath");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a file") << "/etc/passwd"
                            << "The database folder of the settings, /etc/passwd, is not a folder.";
    QTest::newRow("empty") << ""
                           << "The settings name no database folder.";
    QTest::newRow("relative") << "clinic"
                              << "The database folder of the settings, clinic, is not a full path.";
    QTest::newRow("missing") << "ROOT/usb-disk"
                             << "The database folder of the settings, ROOT/usb-disk, does not "
                                "exist.";
    QTest::newRow("a folder under the database's name")
        << "ROOT/folder"
        << "ROOT/folder/korvel_data.mdb is a folder, not a database file.";
    QTest::newRow("a pipe under the database's name")
        << "ROOT/pipe"
        << "ROOT/pipe/korvel_data.mdb is not a file that can hold a database.";
}

// The creation question keeps its text, after the path and its reason on a line of their own;
// No leaves the settings as they were.
void StartUpTest::unusableDatabasePathIsNamedBeforeTheCreationQuestion() {
    QFETCH(QString, dbpath);
    QFETCH(QString, reason);
    TestEnv env;
    dbpath.replace("ROOT", env.root());
    reason.replace("ROOT", env.root());
    QDir().mkpath(env.root() + "/folder/korvel_data.mdb");
    QDir().mkpath(env.root() + "/pipe");
    QCOMPARE(::mkfifo(QFile::encodeName(env.root() + "/pipe/korvel_data.mdb").constData(), 0600),
             0);
    storeDbPath(dbpath);
    env.dialogs.expectQuestion(reason + "\r\n" + kCreateQuestion, Dialogs::Answer::No);
    env.dialogs.expectPickFolder("korvel_data.mdb", "");
    env.dialogs.expectMessage(kNoDatabase);
    QVERIFY(!StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QCOMPARE(ReadRegValue("dbpath"), dbpath);
}

void StartUpTest::damagedDatabaseIsToldBeforeWork() {
    TestEnv env;
    const QString path = env.createDatabase();
    storeDbPath(env.programDirectory());
    makeDamagedDatabase(path);
    QVERIFY(!damageFound(path).isEmpty());
    env.dialogs.expectMessage(damagedText(path), Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
    QVERIFY(StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));

    // A large file is checked beside the running program, and told as soon as the check ends.
    env.dialogs.expectMessage(damagedText(path), Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
    checkDatabaseIntegrity(path, 0);
    QTRY_VERIFY2_WITH_TIMEOUT(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()), 20000);

    // A check of a file the program no longer works on tells nothing and is not taken up again:
    // the program moved to another database, or stopped.
    const QString sound = env.root() + "/sound.mdb";
    buildEmptyDatabaseFile(sound);
    checkDatabaseIntegrity(path, 0);
    checkDatabaseIntegrity(sound, 0);
    checkDatabaseIntegrity(path, 0);
    stopDatabaseCheck();
    QTest::qWait(500);
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
}

void StartUpTest::aSaveDuringTheIntegrityCheckIsNotRefused() {
    TestEnv env;
    const QString path = env.createDatabase();
    {
        // Enough files that the whole-file check reads for a good while.
        QSqlDatabase db = openDatabase(path);
        inTransaction(db, [&] {
            for (int i = 0; i < 200000; ++i)
                runQuery(db, "INSERT INTO per_inf_data (file_num, pt_name, comm) VALUES (?, ?, ?)",
                         {QString::number(i), "Patient name " + QString::number(i),
                          QString(48, QChar('a' + i % 26))});
        });
    }
    std::optional<int> checkFailure;
    QThread* check = QThread::create([&] {
        try {
            damageFound(path);
        } catch (const AppError& error) {
            checkFailure = error.number();
        }
    });
    check->start();
    QTest::qWait(100);
    addProcedure("12", "Consultation", 150, openDatabase(path));
    check->wait();
    delete check;
    QCOMPARE(countOf("file_desc", openDatabase(path)), 1);
    QCOMPARE(checkFailure, std::optional<int>(kCheckGaveWay));
}

QTEST_MAIN(StartUpTest)
#include "test_startup.moc"
