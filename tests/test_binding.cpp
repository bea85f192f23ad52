#include "support/clinicrows.h"
#include "support/oldlayout.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/mainwindow.h"
#include "app/runsettings.h"
#include "app/setdefaults.h"
#include "binding/datasource.h"
#include "binding/refreshform.h"
#include "core/errorlog.h"
#include "core/programdir.h"
#include "db/engine/connection.h"
#include "db/engine/recordsources.h"
#include "db/upkeep/validation.h"
#include "screens/releasedb.h"
#include "screens/screens.h"
#include "upkeep/compactdb.h"

#include <QAbstractTableModel>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <filesystem>

namespace {

// The data controls of the screens and what the program binds each to.
struct Control {
    Screen screen;
    const char* name;
    QString recordSource;
};
const QList<Control> kControls = {
    {Screen::PatientFile, "Data1", "per_inf_data"},
    {Screen::PatientFile, "Data2", "pt_sh"},
    {Screen::PatientSearch, "Data1", "per_inf_data"},
    {Screen::Catalog, "Data1", "file_desc"},
    {Screen::InvoiceList, "Data1", "pt_sh"},
    {Screen::InvoiceList, "Data2", kPendingInvoicesQuery},
    {Screen::InvoiceList, "Data3", "po_desc"},
    {Screen::Invoice, "Data1", "inv_rep_data"},
    {Screen::Invoice, "Data2", "file_desc"},
    {Screen::Invoice, "Data3", "po_desc"},
    {Screen::Invoice, "Data4", "pt_sh"},
    {Screen::Invoice, "Data5", "po_descs"},
    {Screen::OpenFile, "Data1", "per_inf_data"},
    {Screen::OpenFile, "Data2", "inv_rep_data"},
};

// Stand-ins for the screens: just their data controls, so that binding is tested on its own.
void registerBareScreens() {
    Screens::registerFactory(Screen::Main, [] { return new MainWindow(AppSettings()); });
    for (const Screen screen : allScreens()) {
        if (screen == Screen::Main)
            continue;
        Screens::registerFactory(screen, [screen] {
            auto* widget = new QWidget;
            for (const Control& control : kControls)
                if (control.screen == screen)
                    new DataSource(widget, control.name, control.recordSource);
            return widget;
        });
    }
}

DataSource* source(Screen screen, const char* name) {
    QWidget* widget = Screens::existing(screen);
    return widget ? widget->findChild<DataSource*>(name) : nullptr;
}

QStringList logEntries(const TestEnv& env) {
    return env.log().split("\r\n", Qt::SkipEmptyParts);
}

} // namespace

class BindingTest : public QObject {
    Q_OBJECT
  private slots:
    void setDefaultsBindsEveryDataControlAndTheLetterhead();
    void aMissingTableFailsOnlyItsOwnControls();
    void refreshFormOnAnotherScreenOnlyRefreshes();
    void changeOfDatabaseReachesEveryScreen();
    void compactionShrinksAndKeepsEveryRow();
    void compactionReplacesALeftoverTemporaryFile();
    void compactionRefusesWhileAnotherProgramWrites();
    void fileCompactedUnderTheProgramIsOpenedAgain();
};

void BindingTest::setDefaultsBindsEveryDataControlAndTheLetterhead() {
    TestEnv env;
    const QString path = env.createDatabase();
    {
        QSqlDatabase db = openDatabase(path);
        addPatient({{"file_num", "7"}, {"pt_name", "Huda Saleh"}}, db);
        addInvoice("7", "06/12/2026", 300, 100, db);
        addInvoice("7", "06/12/2026", 200, 0, db);
        addInvoice("99", "06/12/2026", 500, 500, db); // no such patient
    }
    registerBareScreens();
    SetDefaults(AppSettings());

    QCOMPARE(logEntries(env), QStringList());
    for (const Control& control : kControls) {
        DataSource* s = source(control.screen, control.name);
        QVERIFY2(s && s->isOpen(), control.name);
        QCOMPARE(s->databaseName(), path);
        QCOMPARE(s->recordSource(), control.recordSource);
    }
    QAbstractTableModel* pending = source(Screen::InvoiceList, "Data2")->model();
    QCOMPARE(columnOf(pending, 1), QStringList{"Huda Saleh"});
    QCOMPARE(columnOf(pending, 5), QStringList{"100"});
    auto* label = Screens::get(Screen::Main)->findChild<QLabel*>("Label3");
    QCOMPARE(label->text(), QString("Enter Qualifications 1"));
}

void BindingTest::aMissingTableFailsOnlyItsOwnControls() {
    TestEnv env;
    AppSettings().setDbPath(env.programDirectory());
    createOldLayoutDatabase(AppSettings().databaseFilePath);
    registerBareScreens();
    SetDefaults(AppSettings());
    // The older layout lacks the saved lines and the due amount: Form7's lines source and
    // Form5's pending list fail, one entry each, and every other control binds.
    const QStringList entries = logEntries(env);
    QCOMPARE(entries.size(), 2);
    for (const QString& entry : entries)
        QVERIFY2(entry.startsWith("error (SetDefaults) : "), qPrintable(entry));
    QVERIFY(entries.join('\n').contains("po_descs"));
    QVERIFY(entries.join('\n').contains("po_netd"));
    QVERIFY(!source(Screen::InvoiceList, "Data2")->isOpen());
    QVERIFY(!source(Screen::Invoice, "Data5")->isOpen());
    QVERIFY(source(Screen::Invoice, "Data4")->isOpen());

    ErrorLog::open(env.programDirectory() + "/errors.log");
    RefreshForm(Screens::get(Screen::Invoice), AppSettings().databaseFilePath);
    const QStringList again = logEntries(env);
    QCOMPARE(again.size(), 1);
    QVERIFY(again[0].startsWith("error in (RefreshForm) : "));
    QVERIFY(source(Screen::Invoice, "Data3")->isOpen());
}

void BindingTest::refreshFormOnAnotherScreenOnlyRefreshes() {
    TestEnv env;
    const QString path = env.createDatabase();
    QWidget other;
    other.setObjectName("Form9");
    auto* data = new DataSource(&other, "Data1");
    data->setDatabaseName(path);
    data->setRecordSource("file_desc");
    openDatabase(path);
    addProcedure("12", "Consultation", 150, openDatabase(path));
    RefreshForm(&other, AppSettings().databaseFilePath);
    QCOMPARE(data->recordSource(), QString("file_desc"));
    QCOMPARE(data->field("descrip").toString(), QString("Consultation"));
    QCOMPARE(env.log(), QString());
}

void BindingTest::changeOfDatabaseReachesEveryScreen() {
    TestEnv env;
    const QString first = env.createDatabase();
    const QString secondDir = env.makeDir("second");
    QFile::copy(first, secondDir + "/korvel_data.mdb");
    addPatient({{"file_num", "S1"}, {"pt_name", "Only in second"}},
               openDatabase(secondDir + "/korvel_data.mdb"));
    registerBareScreens();
    SetDefaults(AppSettings());
    QVERIFY(!source(Screen::PatientSearch, "Data1")->hasCurrent());

    AppSettings().setDbPath(secondDir);
    ReleaseDB();
    for (const Control& control : kControls)
        QVERIFY(!source(control.screen, control.name)->isOpen());
    SetDefaults(AppSettings());
    QCOMPARE(AppSettings().databaseFilePath, secondDir + "/korvel_data.mdb");
    for (const Control& control : kControls)
        QCOMPARE(source(control.screen, control.name)->databaseName(),
                 secondDir + "/korvel_data.mdb");
    QCOMPARE(source(Screen::PatientSearch, "Data1")->field("pt_name").toString(),
             QString("Only in second"));
    QCOMPARE(source(Screen::OpenFile, "Data1")->field("file_num").toString(), QString("S1"));
}

void BindingTest::compactionShrinksAndKeepsEveryRow() {
    TestEnv env;
    const QString path = env.createDatabase();
    {
        QSqlDatabase db = openDatabase(path);
        inTransaction(db, [&] {
            for (int i = 0; i < 4000; ++i)
                addPatient({{"file_num", QString::number(i)},
                            {"pt_name", "Patient " + QString::number(i)},
                            {"comm", QString(50, 'c')}},
                           db);
        });
        runQuery(db, "DELETE FROM per_inf_data WHERE id % 10 <> 0");
    }
    registerBareScreens();
    SetDefaults(AppSettings());
    const qint64 before = QFileInfo(path).size();
    const QString target = env.programDirectory() + "/test.mdb";

    QVERIFY(CompactDB(AppSettings(), path, target));
    QVERIFY(QFileInfo(path).size() < before / 2);
    QVERIFY(!fileExists(target));
    const QStringList files = QDir(env.programDirectory()).entryList({"*.mdb"}, QDir::Files);
    QCOMPARE(files, QStringList{"korvel_data.mdb"});
    QSqlQuery left = runQuery(openDatabase(path), "SELECT count(*), sum(id) FROM per_inf_data");
    QVERIFY(left.next());
    QCOMPARE(left.value(0).toInt(), 400);
    QCOMPARE(left.value(1).toInt(), 10 * (400 * 401 / 2));
    QVERIFY(source(Screen::PatientFile, "Data1")->isOpen());
    QCOMPARE(source(Screen::PatientFile, "Data1")->field("file_num").toString(), QString("9"));
}

void BindingTest::compactionReplacesALeftoverTemporaryFile() {
    TestEnv env;
    const QString path = env.createDatabase();
    const QString target = env.programDirectory() + "/test.mdb";
    writeFile(target, "left over by an earlier run");
    QVERIFY(CompactDB(AppSettings(), path, target));
    QVERIFY(!fileExists(target));
    QVERIFY(ValidDB(path));
}

void BindingTest::compactionRefusesWhileAnotherProgramWrites() {
    TestEnv env;
    const QString path = env.createDatabase();
    registerBareScreens();
    SetDefaults(AppSettings());
    ScopedDatabase other(path);
    runQuery(other.db(), "BEGIN IMMEDIATE");
    addProcedure("1", "x", 1, other.db());

    QVERIFY_THROWS_EXCEPTION(AppError,
                             CompactDB(AppSettings(), path, env.programDirectory() + "/test.mdb"));
    QVERIFY(!fileExists(env.programDirectory() + "/test.mdb"));
    runQuery(other.db(), "COMMIT");
    QVERIFY(source(Screen::Catalog, "Data1")->isOpen());
    source(Screen::Catalog, "Data1")->refresh();
    QCOMPARE(source(Screen::Catalog, "Data1")->field("descrip").toString(), QString("x"));
}

// Another program compacted the file while this one had it open: the next use reaches the file
// that stands there now instead of refusing every write to the old one.
void BindingTest::fileCompactedUnderTheProgramIsOpenedAgain() {
    TestEnv env;
    const QString path = env.createDatabase();
    registerBareScreens();
    SetDefaults(AppSettings());
    addProcedure("1", "before", 1, openDatabase(path));
    const QString copy = env.programDirectory() + "/compacted.mdb";
    runQuery(ScopedDatabase(path).db(), "VACUUM INTO ?", {copy});
    std::filesystem::rename(copy.toStdString(), path.toStdString());

    addProcedure("2", "after", 2, openDatabase(path));
    source(Screen::Catalog, "Data1")->refresh();
    QCOMPARE(source(Screen::Catalog, "Data1")->recordCount(), 2);
    QCOMPARE(countOf("file_desc", ScopedDatabase(path).db()), 2);
}

QTEST_MAIN(BindingTest)
#include "test_binding.moc"
