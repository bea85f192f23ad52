#include "support/clinicrows.h"
#include "support/oldlayout.h"
#include "support/testenv.h"

#include "app/runsettings.h"
#include "core/programdir.h"
#include "db/engine/connection.h"
#include "db/upkeep/validation.h"
#include "settings/settingsstore.h"
#include "upkeep/databaseprocedures.h"

#include <QFile>
#include <QTest>

namespace {
void fillOldDatabase(const QString& path) {
    ScopedDatabase database(path);
    const QSqlDatabase& db = database.db();
    runQuery(db, "INSERT INTO per_inf_data (file_num, pt_name) VALUES ('101', 'Salim Nour')");
    runQuery(db, "INSERT INTO pt_sh (file_num, po_date, po_pri) VALUES ('101', '05/03/2007', 150)");
    runQuery(db, "INSERT INTO pt_sh (file_num, po_date, po_pri) VALUES ('101', '06/03/2007', 80)");
    for (const char* code : {"12", "07", "33"})
        runQuery(db, "INSERT INTO po_desc (code2, descr2, amount2) VALUES (?, 'x', 10)", {code});
}
} // namespace

class UpgradeTest : public QObject {
    Q_OBJECT
  private slots:
    void currentDatabaseIsValidAndLeftAlone();
    void olderLayoutIsConvertedWithItsRows();
    void secondUpgradeDoesNothing();
    void noFileMeansNothingToDo();
    void filesStoredWithoutTemporaryFlagCountAsNotTemporary();
    void filesThatAreNotOurDatabasesAreRefused_data();
    void filesThatAreNotOurDatabasesAreRefused();
};

void UpgradeTest::currentDatabaseIsValidAndLeftAlone() {
    TestEnv env;
    const QString path = env.createDatabase();
    QVERIFY(ValidDB(path));
    QVERIFY(!UpgradeNeeded(path));
    UpgradeDB(AppSettings()); // no message expected
    QCOMPARE(AppSettings().letterhead.clinicname, QString("Enter Clinic Name"));
    QCOMPARE(env.log(), QString());
}

void UpgradeTest::filesStoredWithoutTemporaryFlagCountAsNotTemporary() {
    TestEnv env;
    env.createDatabase();
    addPatient({{"file_num", "1"}, {"pt_nationality", "SAUDI"}});
    addPatient({{"file_num", "2"}, {"pt_nationality", "SAUDI"}, {"temporary", 0}});
    addPatient({{"file_num", "3"}, {"pt_nationality", "SAUDI"}, {"temporary", 1}});
    UpgradeDB(AppSettings());
    QCOMPARE(rowsOf("SELECT pt_nationality, temporary, count(*) FROM per_inf_data "
                    "GROUP BY pt_nationality, temporary"),
             QStringList({"SAUDI|0|2", "SAUDI|1|1"}));
    QCOMPARE(env.log(), QString());
}

void UpgradeTest::olderLayoutIsConvertedWithItsRows() {
    TestEnv env;
    AppSettings().setDbPath(env.programDirectory());
    WriteAllSettings(AppSettings());
    SaveRegValue("clinicname", "Old Clinic");
    const QString path = AppSettings().databaseFilePath;
    createOldLayoutDatabase(path);
    fillOldDatabase(path);
    QVERIFY(ValidDB(path));
    QVERIFY(UpgradeNeeded(path));

    env.dialogs.expectMessage("The database has been modified successfully");
    UpgradeDB(AppSettings());
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QVERIFY(!UpgradeNeeded(path));

    ScopedDatabase database(path);
    const QSqlDatabase& db = database.db();
    QCOMPARE(firstColumnOf("SELECT po_netd FROM pt_sh ORDER BY po_num", db),
             (QStringList{"0", "0"}));
    QCOMPARE(firstColumnOf("SELECT id || ':' || code2 FROM po_desc ORDER BY id", db),
             (QStringList{"1:12", "2:07", "3:33"}));
    QCOMPARE(firstColumnOf("SELECT pt_name FROM per_inf_data", db), QStringList{"Salim Nour"});
    // New scratch lines go on numbering after the kept ones.
    runQuery(db, "INSERT INTO po_desc (code2) VALUES ('44')");
    QCOMPARE(firstColumnOf("SELECT max(id) FROM po_desc", db), QStringList{"4"});
    // The added columns follow the same rules as in a new database.
    runQuery(db, "UPDATE per_inf_data SET mobileno = '0551234567'");
    runQuery(db, "UPDATE per_inf_data SET mobileno = ''");
    QVERIFY_THROWS_EXCEPTION(AppError,
                             runQuery(db, "UPDATE per_inf_data SET mobileno = '05512345678'"));
    QVERIFY_THROWS_EXCEPTION(AppError, runQuery(db, "INSERT INTO po_descs (code2) VALUES ('')"));
    QVERIFY(firstColumnOf("SELECT name FROM pragma_index_list('po_descs')", db)
                .contains("po_descs_po_num"));

    QCOMPARE(AppSettings().letterhead.clinicname, QString("KORVEL"));
    QCOMPARE(ReadRegValue("clinicname"), QString("KORVEL"));
    QCOMPARE(ReadRegValue("qualifications3"), QString("Obst. Gynae., Infertillity"));
}

void UpgradeTest::secondUpgradeDoesNothing() {
    TestEnv env;
    AppSettings().setDbPath(env.programDirectory());
    createOldLayoutDatabase(AppSettings().databaseFilePath);
    env.dialogs.expectMessage("The database has been modified successfully");
    UpgradeDB(AppSettings());
    {
        ScopedDatabase database(AppSettings().databaseFilePath);
        runQuery(database.db(), "INSERT INTO pt_sh (file_num, po_pri, po_netd) VALUES (1, 9, 9)");
    }
    UpgradeDB(AppSettings());
    ScopedDatabase database(AppSettings().databaseFilePath);
    QCOMPARE(firstColumnOf("SELECT po_netd FROM pt_sh", database.db()), QStringList{"9"});
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
}

void UpgradeTest::noFileMeansNothingToDo() {
    TestEnv env;
    AppSettings().setDbPath(env.makeDir("empty"));
    UpgradeDB(AppSettings());
    QVERIFY(!fileExists(AppSettings().databaseFilePath));
}

void UpgradeTest::filesThatAreNotOurDatabasesAreRefused_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("text file") << "text";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("truncated database") << "truncated";
    QTest::newRow("corrupted header") << "corrupted";
    QTest::newRow("another program's database") << "foreign";
}

void UpgradeTest::filesThatAreNotOurDatabasesAreRefused() {
    QFETCH(QString, kind);
    TestEnv env;
    const QString path = env.makeDir("other") + "/korvel_data.mdb";
    if (kind == "text") {
        writeFile(path, "Patients list\r\n101;Salim\r\n");
    } else if (kind == "empty") {
        writeFile(path, "");
    } else if (kind == "foreign") {
        ScopedDatabase database(path, ScopedDatabase::Mode::CreateFile);
        runQuery(database.db(), "CREATE TABLE songs (title TEXT)");
    } else {
        const QString good = env.createDatabase();
        QFile file(good);
        file.open(QIODevice::ReadOnly);
        QByteArray bytes = file.readAll();
        if (kind == "truncated")
            bytes.truncate(100);
        else
            bytes.replace(0, 16, QByteArray(16, 'X'));
        writeFile(path, bytes);
    }
    const QByteArray before = [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    QVERIFY(!ValidDB(path));
    const QStringList entries = env.log().split("\r\n", Qt::SkipEmptyParts);
    QCOMPARE(entries.size(), 1);
    QVERIFY2(entries[0].startsWith("error (ValidDB) : ") && entries[0].contains(" -> "),
             qPrintable(entries[0]));
    QFile after(path);
    after.open(QIODevice::ReadOnly);
    QCOMPARE(after.readAll(), before);
}

QTEST_MAIN(UpgradeTest)
#include "test_upgrade.moc"
