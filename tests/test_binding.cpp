#include "support/oldlayout.h"
#include "support/testenv.h"

#include "app/mainwindow.h"
#include "binding/compaction.h"
#include "binding/datacontrols.h"
#include "binding/datasource.h"
#include "binding/refreshform.h"
#include "binding/screens.h"
#include "binding/setdefaults.h"
#include "core/errorlog.h"
#include "core/programdir.h"
#include "db/connection.h"
#include "db/validation.h"
#include "settings/appsettings.h"

#include <QAbstractTableModel>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTest>

namespace {

// Stand-ins for the screens: just their data controls, so that binding is tested on its own.
void registerBareScreens() {
    Screens::registerFactory("Form2", [] { return new MainWindow; });
    for (const char* screen : {"Form1", "Form3", "Form4", "Form5", "Form7", "Form8"}) {
        Screens::registerFactory(screen, [screen] {
            auto* widget = new QWidget;
            for (const DataControl& control : dataControls())
                if (QString(control.screen) == screen)
                    new DataSource(widget, control.name);
            return widget;
        });
    }
}

DataSource* source(const char* screen, const char* name) {
    return findDataSource(screen, name);
}

QStringList logEntries(const TestEnv& env) {
    return env.log().split("\r\n", Qt::SkipEmptyParts);
}

void addInvoice(const QSqlDatabase& db, const QString& file, int total, int due) {
    runQuery(db, "INSERT INTO pt_sh (file_num, po_date, po_pri, po_netd) VALUES (?, ?, ?, ?)",
             {file, "06/12/2026", total, due});
}

QStringList column(QAbstractItemModel* model, int column) {
    QStringList values;
    for (int row = 0; row < model->rowCount(); ++row)
        values << model->index(row, column).data().toString();
    return values;
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
};

void BindingTest::setDefaultsBindsEveryDataControlAndTheLetterhead() {
    TestEnv env;
    const QString path = env.createDatabase();
    {
        QSqlDatabase db = openDatabase(path);
        runQuery(db, "INSERT INTO per_inf_data (file_num, pt_name) VALUES ('7', 'Huda Saleh')");
        addInvoice(db, "7", 300, 100);
        addInvoice(db, "7", 200, 0);
        addInvoice(db, "99", 500, 500); // no such patient
    }
    registerBareScreens();
    SetDefaults();

    QCOMPARE(logEntries(env), QStringList());
    for (const DataControl& control : dataControls()) {
        DataSource* s = source(control.screen, control.name);
        QVERIFY2(s && s->isOpen(), control.name);
        QCOMPARE(s->databaseName(), path);
        QCOMPARE(s->recordSource(), QString(control.recordSource));
    }
    QAbstractTableModel* pending = source("Form5", "Data2")->model();
    QCOMPARE(column(pending, 1), QStringList{"Huda Saleh"});
    QCOMPARE(column(pending, 5), QStringList{"100"});
    auto* label = Screens::get("Form2")->findChild<QLabel*>("Label3");
    QCOMPARE(label->text(), QString("Enter Qualifications 1"));
}

void BindingTest::aMissingTableFailsOnlyItsOwnControls() {
    TestEnv env;
    AppSettings().setDbPath(env.programDirectory());
    createOldLayoutDatabase(AppSettings().databaseFilePath);
    registerBareScreens();
    SetDefaults();
    // The older layout lacks the saved lines and the due amount: Form7's lines source and
    // Form5's pending list fail, one entry each, and every other control binds.
    const QStringList entries = logEntries(env);
    QCOMPARE(entries.size(), 2);
    for (const QString& entry : entries)
        QVERIFY2(entry.startsWith("error (SetDefaults) : "), qPrintable(entry));
    QVERIFY(entries.join('\n').contains("po_descs"));
    QVERIFY(entries.join('\n').contains("po_netd"));
    QVERIFY(!source("Form5", "Data2")->isOpen());
    QVERIFY(!source("Form7", "Data5")->isOpen());
    QVERIFY(source("Form7", "Data4")->isOpen());

    ErrorLog::open(env.programDirectory() + "/errors.log");
    RefreshForm(Screens::get("Form7"));
    const QStringList again = logEntries(env);
    QCOMPARE(again.size(), 1);
    QVERIFY(again[0].startsWith("error in (RefreshForm) : "));
    QVERIFY(source("Form7", "Data3")->isOpen());
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
    runQuery(openDatabase(path), "INSERT INTO file_desc (code, descrip, amount) VALUES "
                                 "('12', 'Consultation', 150)");
    RefreshForm(&other);
    QCOMPARE(data->recordSource(), QString("file_desc"));
    QCOMPARE(data->field("descrip").toString(), QString("Consultation"));
    QCOMPARE(env.log(), QString());
}

void BindingTest::changeOfDatabaseReachesEveryScreen() {
    TestEnv env;
    const QString first = env.createDatabase();
    const QString secondDir = env.makeDir("second");
    QFile::copy(first, secondDir + "/korvel_data.mdb");
    runQuery(openDatabase(secondDir + "/korvel_data.mdb"),
             "INSERT INTO per_inf_data (file_num, pt_name) VALUES ('S1', 'Only in second')");
    registerBareScreens();
    SetDefaults();
    QVERIFY(!source("Form3", "Data1")->hasCurrent());

    AppSettings().setDbPath(secondDir);
    ReleaseDB();
    for (const DataControl& control : dataControls())
        QVERIFY(!source(control.screen, control.name)->isOpen());
    SetDefaults();
    QCOMPARE(AppSettings().connectionString,
             "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + secondDir + "/korvel_data.mdb");
    for (const DataControl& control : dataControls())
        QCOMPARE(source(control.screen, control.name)->databaseName(),
                 secondDir + "/korvel_data.mdb");
    QCOMPARE(source("Form3", "Data1")->field("pt_name").toString(), QString("Only in second"));
    QCOMPARE(source("Form8", "Data1")->field("file_num").toString(), QString("S1"));
}

void BindingTest::compactionShrinksAndKeepsEveryRow() {
    TestEnv env;
    const QString path = env.createDatabase();
    {
        QSqlDatabase db = openDatabase(path);
        inTransaction(db, [&] {
            for (int i = 0; i < 4000; ++i)
                runQuery(db, "INSERT INTO per_inf_data (file_num, pt_name, comm) VALUES (?, ?, ?)",
                         {QString::number(i), "Patient " + QString::number(i), QString(50, 'c')});
        });
        runQuery(db, "DELETE FROM per_inf_data WHERE id % 10 <> 0");
    }
    registerBareScreens();
    SetDefaults();
    const qint64 before = QFileInfo(path).size();
    const QString target = env.programDirectory() + "/test.mdb";

    QVERIFY(CompactDB(path, target));
    QVERIFY(QFileInfo(path).size() < before / 2);
    QVERIFY(!fileExists(target));
    const QStringList files = QDir(env.programDirectory()).entryList({"*.mdb"}, QDir::Files);
    QCOMPARE(files, QStringList{"korvel_data.mdb"});
    QSqlQuery left = runQuery(openDatabase(path), "SELECT count(*), sum(id) FROM per_inf_data");
    QVERIFY(left.next());
    QCOMPARE(left.value(0).toInt(), 400);
    QCOMPARE(left.value(1).toInt(), 10 * (400 * 401 / 2));
    QVERIFY(source("Form1", "Data1")->isOpen());
    QCOMPARE(source("Form1", "Data1")->field("file_num").toString(), QString("9"));
}

void BindingTest::compactionReplacesALeftoverTemporaryFile() {
    TestEnv env;
    const QString path = env.createDatabase();
    const QString target = env.programDirectory() + "/test.mdb";
    writeFile(target, "left over by an earlier run");
    QVERIFY(CompactDB(path, target));
    QVERIFY(!fileExists(target));
    QVERIFY(ValidDB(path));
}

void BindingTest::compactionRefusesWhileAnotherProgramWrites() {
    TestEnv env;
    const QString path = env.createDatabase();
    registerBareScreens();
    SetDefaults();
    ScopedDatabase other(path);
    runQuery(other.db(), "BEGIN IMMEDIATE");
    runQuery(other.db(), "INSERT INTO file_desc (code, descrip, amount) VALUES ('1', 'x', 1)");

    QVERIFY_THROWS_EXCEPTION(AppError, CompactDB(path, env.programDirectory() + "/test.mdb"));
    QVERIFY(!fileExists(env.programDirectory() + "/test.mdb"));
    runQuery(other.db(), "COMMIT");
    QVERIFY(source("Form4", "Data1")->isOpen());
    source("Form4", "Data1")->refresh();
    QCOMPARE(source("Form4", "Data1")->field("descrip").toString(), QString("x"));
}

QTEST_MAIN(BindingTest)
#include "test_binding.moc"
