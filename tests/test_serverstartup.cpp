#include "support/clinicrows.h"
#include "support/pgserver.h"
#include "support/testenv.h"

#include "app/backupmenu.h"
#include "app/backups.h"
#include "app/compactmenu.h"
#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "app/serverchoice.h"
#include "app/setdefaults.h"
#include "app/startup.h"
#include "binding/datasource.h"
#include "binding/screens.h"
#include "core/programdir.h"
#include "db/connection.h"
#include "db/serverdatabase.h"
#include "settings/settingsstore.h"

#include <QDir>
#include <QTest>
#include <memory>

namespace {

const QString kTitle = "Database Server";

QString addressPrompt(const QString& emptyMeans) {
    return "Address of the database server, for example "
           "postgresql://clinic@dbhost:5432/korvel\r\n(" +
           emptyMeans + "):";
}

// Settings as an earlier run left them: the database on the server at the address.
void storeServer(const QString& uri) {
    AppSettings().setDbPath(programDir());
    AppSettings().dbserver = uri;
    WriteAllSettings(AppSettings());
    AppSettings() = AppSettingsRecord();
}

// What the user is told of a server that does not answer, with the client library's reason.
QString unreachableText(const QString& uri) {
    return "Korvel cannot reach its database on the server:\r\n" + checkServerDatabase(uri).why +
           "\r\nDo you want to try again?";
}

QString patientShownBy(Screen screen) {
    auto* source = Screens::get(screen)->findChild<DataSource*>("Data1");
    return source && source->hasCurrent() ? source->field("pt_name").toString() : QString();
}

} // namespace

// The program started and worked on with its database on a PostgreSQL server.
class ServerStartUpTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void startsOnTheServerOfTheSettingsWithoutAFileOrCopies();
    void unreachableServerIsTriedAgainOrChangedAndNothingIsCreated();
    void noAddressLeadsToTheDatabaseFile();
    void emptyServerDatabaseIsOfferedTheTables();
    void databaseServerMenuSwitchesAndNeverKeepsAPassword();
    void compactionIsTheServersAndBackupsAreLeftToIt();
    void restartedServerIsReachedAgain();

  private:
    // A new database on the test's server, with the clinic's tables and one patient, or empty.
    QString newDatabase(bool withTables = true);

    std::unique_ptr<PgServer> server_;
    int databases_ = 0;
};

void ServerStartUpTest::initTestCase() {
    server_ = std::make_unique<PgServer>();
    QVERIFY2(server_->failure().isEmpty(), qPrintable(server_->failure()));
}

QString ServerStartUpTest::newDatabase(bool withTables) {
    const QString name = "start_" + QString::number(++databases_);
    if (!server_->createDatabase(name))
        qFatal("%s", qPrintable(server_->failure()));
    const QString uri = server_->uri(name);
    if (withTables) {
        createClinicTablesOn(uri);
        ScopedDatabase database(uri);
        addPatient({{"file_num", "1"}, {"pt_name", "Huda Saleh"}}, database.db());
    }
    return uri;
}

void ServerStartUpTest::startsOnTheServerOfTheSettingsWithoutAFileOrCopies() {
    TestEnv env;
    const QString uri = newDatabase();
    storeServer(uri);
    registerScreens(AppSettings());
    QVERIFY(StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));

    QCOMPARE(AppSettings().databaseLocation(), uri);
    QCOMPARE(patientShownBy(Screen::PatientSearch), "Huda Saleh");
    // No database file, lock, integrity check or copy of the program's own beside it.
    QCOMPARE(
        QDir(env.programDirectory()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
        QStringList{"errors.log"});
    QCOMPARE(env.log(), QString());
}

void ServerStartUpTest::unreachableServerIsTriedAgainOrChangedAndNothingIsCreated() {
    TestEnv env;
    const QString gone = server_->uri("not_made");
    QVERIFY(checkServerDatabase(gone).why.contains("not_made"));
    const QString told = unreachableText(gone);
    storeServer(gone);
    env.dialogs.expectMessage(told, Dialogs::Buttons::YesNo, Dialogs::Icon::Critical,
                              Dialogs::Answer::Yes);
    env.dialogs.expectMessage(told, Dialogs::Buttons::YesNo, Dialogs::Icon::Critical,
                              Dialogs::Answer::No);
    const QString uri = newDatabase();
    env.dialogs.expectInput(addressPrompt("leave it empty to work on a database file instead"),
                            kTitle, uri, gone);
    registerScreens(AppSettings());
    QVERIFY(StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QCOMPARE(ReadRegValue("dbserver"), uri);
    QCOMPARE(patientShownBy(Screen::PatientSearch), "Huda Saleh");
    QCOMPARE(checkServerDatabase(gone).state, ServerDatabaseState::Unreachable);
}

// No address at all: the database file, offered as on a first run.
void ServerStartUpTest::noAddressLeadsToTheDatabaseFile() {
    TestEnv env;
    const QString gone = server_->uri("not_made");
    storeServer(gone);
    env.dialogs.expectMessage(unreachableText(gone), Dialogs::Buttons::YesNo,
                              Dialogs::Icon::Critical, Dialogs::Answer::No);
    env.dialogs.expectInput(addressPrompt("leave it empty to work on a database file instead"),
                            kTitle, "", gone);
    env.dialogs.expectQuestion("Do you want to create a NEW Database!?", Dialogs::Answer::No);
    env.dialogs.expectPickFolder("korvel_data.mdb", "");
    env.dialogs.expectMessage(
        "You cannot use this program without the VALID Database korvel_data.mdb!\r\n"
        "korvel_data.mdb");
    QVERIFY(!StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QCOMPARE(ReadRegValue("dbserver"), QString());
}

void ServerStartUpTest::emptyServerDatabaseIsOfferedTheTables() {
    TestEnv env;
    const QString uri = newDatabase(false);
    storeServer(uri);
    env.dialogs.expectQuestion("The database " + uri +
                                   " holds no Korvel tables yet.\r\nDo you want to create them "
                                   "there?",
                               Dialogs::Answer::Yes, Dialogs::Icon::Question);
    env.dialogs.expectMessage("The Korvel tables were created in the database " + uri + ".");
    registerScreens(AppSettings());
    QVERIFY(StartUp(AppSettings()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QCOMPARE(checkServerDatabase(uri).state, ServerDatabaseState::Ready);
}

void ServerStartUpTest::databaseServerMenuSwitchesAndNeverKeepsAPassword() {
    TestEnv env;
    const QString file = env.createDatabase();
    addPatient({{"file_num", "9"}, {"pt_name", "In the file"}});
    registerScreens(AppSettings());
    SetDefaults(AppSettings());
    QCOMPARE(patientShownBy(Screen::PatientSearch), "In the file");

    const QString uri = newDatabase();
    const QString withPassword = QString(uri).replace("postgres@", "postgres:secret@");
    const QString prompt = addressPrompt("leave it empty to keep the database");
    env.dialogs.expectInput(prompt, kTitle, withPassword, "");
    env.dialogs.expectMessage(
        "The password is never kept in the settings: put it in the file ~/.pgpass "
        "(host:port:database:user:password) and give the address without it.");
    chooseDatabaseServer(AppSettings());
    QCOMPARE(ReadRegValue("dbserver"), QString());
    QCOMPARE(AppSettings().databaseLocation(), file);

    env.dialogs.expectInput(prompt, kTitle, uri, "");
    chooseDatabaseServer(AppSettings());
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QCOMPARE(ReadRegValue("dbserver"), uri);
    QCOMPARE(patientShownBy(Screen::PatientSearch), "Huda Saleh");
}

void ServerStartUpTest::compactionIsTheServersAndBackupsAreLeftToIt() {
    TestEnv env;
    const QString uri = newDatabase();
    storeServer(uri);
    registerScreens(AppSettings());
    QVERIFY(StartUp(AppSettings()));

    env.dialogs.expectMessage("Database was compacted successfully");
    compactDatabase(AppSettings());
    QCOMPARE(patientShownBy(Screen::PatientSearch), "Huda Saleh");

    env.dialogs.expectMessage(serverBackupsText(AppSettings()), Dialogs::Buttons::Ok,
                              Dialogs::Icon::Exclamation);
    backUpNow(AppSettings());
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QVERIFY(serverBackupsText(AppSettings()).contains(uri));
    QVERIFY(!QDir(env.programDirectory() + "/backups").exists());
}

// The server went away under the running program and came back: the screens reach it again
// without the program being restarted.
void ServerStartUpTest::restartedServerIsReachedAgain() {
    TestEnv env;
    const QString uri = newDatabase();
    storeServer(uri);
    registerScreens(AppSettings());
    QVERIFY(StartUp(AppSettings()));
    QVERIFY(server_->restart());

    addPatient({{"file_num", "2"}, {"pt_name", "After the restart"}});
    auto* patients = Screens::get(Screen::PatientSearch)->findChild<DataSource*>("Data1");
    patients->refresh();
    QCOMPARE(patients->recordCount(), 2);
    // Each desk's working tables are there again for the new session.
    QCOMPARE(countOf("po_desc"), 0);
}

QTEST_MAIN(ServerStartUpTest)
#include "test_serverstartup.moc"
