#include "support/clinicrows.h"
#include "support/pgserver.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "app/setdefaults.h"
#include "app/startup.h"
#include "binding/datasource.h"
#include "core/programdir.h"
#include "db/clinic/invoicestore.h"
#include "db/engine/connection.h"
#include "db/engine/serverdatabase.h"
#include "screens/screens.h"
#include "settings/settingsstore.h"
#include "upkeep/backupmenu.h"
#include "upkeep/backups.h"
#include "upkeep/compactmenu.h"
#include "upkeep/serverchoice.h"

#include <QDir>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTableView>
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

// An invoice saved on a connection of its own, or rolled back after its number was taken; the
// number it took.
int saveInvoice(const QString& uri, bool commit) {
    ScopedDatabase database(uri);
    int number = 0;
    try {
        inTransaction(database.db(), [&] {
            number = appendInvoiceWithLines(database.db(),
                                            {"1", "08/12/2026", "12/2026", "2026", 10, 0});
            if (!commit)
                throw AppError(ErrorNumber::Unexpected, "rolled back");
        });
    } catch (const AppError&) {
    }
    return number;
}

// A procedure code typed, looked up on leaving the box, and added as a line.
void addInvoiceLine(QWidget* invoice, const QString& code) {
    typeInto(invoice, "text4", code, "Text6");
    click(invoice, "SSCommand1");
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
    void screensOpenDuringARestartGoOn();
    void invoiceNumbersRunOnAfterARollBackAndACrash();
    void addressOptionsReachTheClientLibrary_data();
    void addressOptionsReachTheClientLibrary();

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

// Each screen was open, with the user's work in it, when the server restarted; its next action
// reaches the server again, keeps what was typed (an invoice's lines are lost with the session's
// working tables, and the user is told), and the screen can be left.
void ServerStartUpTest::screensOpenDuringARestartGoOn() {
    QTest::failOnWarning(QRegularExpression("still in use"));
    QTest::failOnWarning(QRegularExpression("Unable to free statement"));
    TestEnv env;
    const QString uri = newDatabase();
    {
        ScopedDatabase clinic(uri);
        addProcedure("10", "Consultation", 100, clinic.db());
        addProcedure("20", "X-ray", 50, clinic.db());
    }
    storeServer(uri);
    registerScreens(AppSettings());
    QVERIFY(StartUp(AppSettings()));
    addInvoice("1", "01/12/2026", 100, 0);

    runQuery(openDatabase(uri), "INSERT INTO inv_rep_data (file_p, name, adrr) VALUES "
                                "('1', 'Huda Saleh', 'Riyadh')");
    QWidget* invoice = showScreen(Screen::Invoice);
    addInvoiceLine(invoice, "10");
    addInvoiceLine(invoice, "20");
    QCOMPARE(box(invoice, "Text8")->text(), "150");
    const QString linesLost =
        "The connection to the database server was lost and has been made again, but the lines "
        "of this invoice entered before were lost with it: the invoice now holds only the lines "
        "shown. Please enter the others again.";
    // "OK" first saves nothing: an invoice without the lines the user saw would be a wrong one.
    QVERIFY(server_->restart());
    env.dialogs.expectMessage(linesLost);
    click(invoice, "SSCommand2_OK");
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QCOMPARE(countOf("pt_sh"), 1);
    QCOMPARE(grid(invoice, "DBGrid1")->model()->rowCount(), 0);
    QCOMPARE(box(invoice, "Text8")->text(), "0");
    QVERIFY(box(invoice, "Text7")->text().isEmpty());
    addInvoiceLine(invoice, "10");
    // A line added first is told of the loss as well.
    QVERIFY(server_->restart());
    env.dialogs.expectMessage(linesLost);
    addInvoiceLine(invoice, "20");
    QCOMPARE(box(invoice, "Text8")->text(), "50");
    QCOMPARE(grid(invoice, "DBGrid1")->model()->rowCount(), 1);
    click(invoice, "SSCommand2_OK");
    const QString number = box(invoice, "Text7")->text();
    QCOMPARE(rowsOf("SELECT file_num, po_pri FROM pt_sh WHERE po_num = " + number),
             QStringList{"1|50"});
    click(invoice, "SSCommand5_Quit");

    QWidget* list = showScreen(Screen::InvoiceList);
    QVERIFY(server_->restart());
    click(list, "SSCommand1");
    click(list, "SSCommand6");

    env.dialogs.expectInput("File Number :", "Open File", "1");
    QWidget* file = showScreen(Screen::PatientFile);
    box(file, "Text5")->setText("Saleh");
    QVERIFY(server_->restart());
    click(file, "SSCommand1");
    QCOMPARE(rowsOf("SELECT pt_name_fm FROM per_inf_data", openDatabase(uri)),
             QStringList{"Saleh"});
    click(file, "SSCommand4");
    discardClosed();
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QVERIFY(mainWindow()->isEnabled());
}

// A number taken by a save that was rolled back, or logged ahead before the server went down, is
// given to the next invoice: the numbers have no gaps.
void ServerStartUpTest::invoiceNumbersRunOnAfterARollBackAndACrash() {
    TestEnv env;
    const QString uri = newDatabase();
    const int first = saveInvoice(uri, true);
    QCOMPARE(saveInvoice(uri, false), first + 1);
    QVERIFY(server_->restart());
    QCOMPARE(saveInvoice(uri, true), first + 1);
    QCOMPARE(saveInvoice(uri, true), first + 2);
    {
        ScopedDatabase database(uri);
        QCOMPARE(firstColumnOf("SELECT po_num FROM pt_sh ORDER BY po_num", database.db()),
                 QStringList({QString::number(first), QString::number(first + 1),
                              QString::number(first + 2)}));
        // A database of an earlier version had no counter row: it is given one at start-up,
        // going on after its highest number.
        runQuery(database.db(), "DROP TABLE invoice_counter");
    }
    QCOMPARE(checkServerDatabase(uri).state, ServerDatabaseState::Ready);
    QCOMPARE(saveInvoice(uri, true), first + 3);
}

// The address's options reach the client library as they stand: encryption required is
// encryption or no link at all.
void ServerStartUpTest::addressOptionsReachTheClientLibrary_data() {
    QTest::addColumn<bool>("tls");
    QTest::addColumn<QString>("options");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<bool>("encrypted");
    QTest::addColumn<QString>("name");
    QTest::newRow("encryption required of a server that has it") << true << "sslmode=require"
                                                                 << "" << true << "";
    QTest::newRow("encryption required of a server without it")
        << false << "sslmode=require"
        << "server does not support SSL, but SSL was required" << false << "";
    QTest::newRow("encryption refused, a name and a time-out given")
        << true << "sslmode=disable&application_name=front%20desk&connect_timeout=5"
        << "" << false << "front desk";
}

void ServerStartUpTest::addressOptionsReachTheClientLibrary() {
    QFETCH(bool, tls);
    QFETCH(QString, options);
    QFETCH(QString, refusal);
    QFETCH(bool, encrypted);
    QFETCH(QString, name);
    PgServer server(tls ? PgServer::Link::LoopbackTls : PgServer::Link::Loopback);
    QVERIFY2(server.failure().isEmpty(), qPrintable(server.failure()));
    QVERIFY2(server.createDatabase("korvel"), qPrintable(server.failure()));
    const QString uri = server.uri("korvel") + "?" + options;
    QCOMPARE(unusableServerAddress(uri), QString());

    const QString why = checkServerDatabase(uri).why;
    QVERIFY2(refusal.isEmpty() ? why.isEmpty() : why.endsWith(refusal), qPrintable(why));
    if (!refusal.isEmpty())
        return;
    ScopedDatabase database(uri);
    QSqlQuery link = runQuery(database.db(), "SELECT ssl, current_setting('application_name') "
                                             "FROM pg_stat_ssl WHERE pid = pg_backend_pid()");
    QVERIFY(link.next());
    QCOMPARE(link.value(0).toBool(), encrypted);
    QCOMPARE(link.value(1).toString(), name);
}

QTEST_MAIN(ServerStartUpTest)
#include "test_serverstartup.moc"
