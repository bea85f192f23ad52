#include "support/oldlayout.h"
#include "support/testenv.h"

#include "app/screenfactories.h"
#include "app/startup.h"
#include "binding/screens.h"
#include "core/errorlog.h"
#include "core/programdir.h"
#include "db/validation.h"
#include "settings/appsettings.h"
#include "settings/registry.h"

#include <QFile>
#include <QLabel>
#include <QTest>

namespace {
const QString kCreateQuestion = "Do you want to create a NEW Database!?";
const QString kNoDatabase =
    "You cannot use this program without the VALID Database korvel_data.mdb!\r\nkorvel_data.mdb";
const QString kInvalid = "This does NOT appear to be a valid Database for this program";

// Settings as an earlier run left them, with the database in the given directory.
void storeDbPath(const QString& directory) {
    AppSettings().setDbPath(directory);
    AppSettings().letterhead = DefaultLetterhead();
    WriteAllSettings();
    AppSettings() = AppSettingsRecord();
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
};

void StartUpTest::firstRunCreatesTheDatabaseAndStoresTheDefaults() {
    TestEnv env;
    env.dialogs.expectQuestion(kCreateQuestion, Dialogs::Answer::Yes);
    env.dialogs.expectMessage("Datebase was created successfully");
    QVERIFY(StartUp());
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));

    QCOMPARE(ReadRegValue("dbpath"), env.programDirectory());
    QCOMPARE(ReadRegValue("reportspath"), env.programDirectory());
    QCOMPARE(ReadRegValue("drname"), QString("Enter Doctor Name"));
    QCOMPARE(AppSettings().connectionString, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                                                 env.programDirectory() + "/korvel_data.mdb");
    QVERIFY(ValidDB(AppSettings().databaseFilePath));
    QCOMPARE(env.log(), QString());
}

void StartUpTest::declinedCreationAndCancelledPickerEndTheProgram() {
    TestEnv env;
    env.dialogs.expectQuestion(kCreateQuestion, Dialogs::Answer::No);
    env.dialogs.expectPickFolder("korvel_data.mdb", "");
    env.dialogs.expectMessage(kNoDatabase);
    QVERIFY(!StartUp());
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
    QVERIFY(!StartUp());
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
    QVERIFY(StartUp());
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
    registerScreens();

    QVERIFY(StartUp());
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
    QVERIFY(StartUp());
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
    QVERIFY(StartUp());
    QCOMPARE(env.log(), QString());
}

QTEST_MAIN(StartUpTest)
#include "test_startup.moc"
