#include "support/testenv.h"

#include "core/programdir.h"
#include "db/connection.h"
#include "db/createdb.h"
#include "settings/appsettings.h"
#include "settings/registry.h"

#include <QDir>
#include <QTest>

namespace {
const QString kBackupQuestion =
    QString("Do you want to Delete the old backup?  هل تريد حذف النسخه الإحتياطيه؟ : \r\n");

bool isNewDatabase(const QString& path) {
    ScopedDatabase database(path);
    return runQuery(database.db(), "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                                   "name IN ('file_desc', 'inv_rep_data', 'per_inf_data', "
                                   "'po_desc', 'po_descs', 'pt_sh') HAVING count(*) = 6")
        .next();
}
} // namespace

class CreateDbTest : public QObject {
    Q_OBJECT
  private slots:
    void newDatabaseWithoutQuestionWhenNothingExists();
    void previousDatabaseBecomesTheBackup();
    void keepingTheOldBackupTouchesNothing();
    void deletingTheOldBackupReplacesIt();
    void letterheadBecomesThePromptTexts();
    void failureBeforeTheBackupKeepsTheDatabase();
};

void CreateDbTest::newDatabaseWithoutQuestionWhenNothingExists() {
    TestEnv env;
    QVERIFY(CreateDB("korvel_data", QString()));
    QVERIFY(isNewDatabase(env.programDirectory() + "/korvel_data.mdb"));
    QVERIFY(!fileExists(env.programDirectory() + "/korvel_data_backup.mdb"));
    QCOMPARE(env.log(), QString());
}

void CreateDbTest::previousDatabaseBecomesTheBackup() {
    TestEnv env;
    writeFile(env.programDirectory() + "/korvel_data.mdb", "previous clinic data");
    QVERIFY(CreateDB("korvel_data", QString()));
    QCOMPARE(readFile(env.programDirectory() + "/korvel_data_backup.mdb"),
             QByteArray("previous clinic data"));
    QVERIFY(isNewDatabase(env.programDirectory() + "/korvel_data.mdb"));
}

void CreateDbTest::keepingTheOldBackupTouchesNothing() {
    TestEnv env;
    const QString backup = env.programDirectory() + "/korvel_data_backup.mdb";
    writeFile(env.programDirectory() + "/korvel_data.mdb", "current");
    writeFile(backup, "old backup");
    env.dialogs.expectMessage(kBackupQuestion + backup, Dialogs::Buttons::YesNo,
                              Dialogs::Icon::Critical, Dialogs::Answer::No);
    QVERIFY(!CreateDB("korvel_data", QString()));
    QCOMPARE(readFile(backup), QByteArray("old backup"));
    QCOMPARE(readFile(env.programDirectory() + "/korvel_data.mdb"), QByteArray("current"));
    QCOMPARE(env.log(), QString());
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
}

void CreateDbTest::deletingTheOldBackupReplacesIt() {
    TestEnv env;
    const QString backup = env.programDirectory() + "/korvel_data_backup.mdb";
    writeFile(env.programDirectory() + "/korvel_data.mdb", "current");
    writeFile(backup, "old backup");
    env.dialogs.expectMessage(kBackupQuestion + backup, Dialogs::Buttons::YesNo,
                              Dialogs::Icon::Critical, Dialogs::Answer::Yes);
    QVERIFY(CreateDB("korvel_data", QString()));
    QCOMPARE(readFile(backup), QByteArray("current"));
    QVERIFY(isNewDatabase(env.programDirectory() + "/korvel_data.mdb"));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
}

void CreateDbTest::letterheadBecomesThePromptTexts() {
    TestEnv env;
    AppSettings().letterhead = DefaultLetterhead();
    WriteAllSettings();
    QVERIFY(CreateDB("korvel_data", QString()));
    const Letterhead& l = AppSettings().letterhead;
    QCOMPARE(l.clinicname, QString("Enter Clinic Name"));
    QCOMPARE(l.drname, QString("Enter Doctor Name"));
    QCOMPARE(l.qualifications1, QString("Enter Qualifications 1"));
    QCOMPARE(l.qualifications2, QString("Enter Qualifications 2"));
    QCOMPARE(l.qualifications3, QString("Enter Qualifications 3"));
    QCOMPARE(l.licenseno, QString("Enter License No"));
    QCOMPARE(l.telephone, QString("Enter Telephone #"));
    QCOMPARE(ReadRegValue("clinicname"), QString("Enter Clinic Name"));
    QCOMPARE(ReadRegValue("telephone"), QString("Enter Telephone #"));
}

void CreateDbTest::failureBeforeTheBackupKeepsTheDatabase() {
    TestEnv env;
    const QString database = env.programDirectory() + "/korvel_data.mdb";
    writeFile(database, "the only copy of the clinic's data");
    // A directory holding the backup name cannot be replaced, so the move to it fails.
    env.makeDir("program/korvel_data_backup.mdb/occupied");
    const QString backup = env.programDirectory() + "/korvel_data_backup.mdb";
    env.dialogs.expectMessage("Path/File access error (" + database + " -> " + backup + ")");
    const auto failed = [&] {
        try {
            return !CreateDB("korvel_data", QString());
        } catch (...) {
            return false;
        }
    }();
    QVERIFY(failed);
    QCOMPARE(readFile(database), QByteArray("the only copy of the clinic's data"));
    QVERIFY(env.log().startsWith("error in (CreateDB) : 75 -> Path/File access error"));
    QVERIFY(env.log().endsWith("\r\n"));
}

QTEST_MAIN(CreateDbTest)
#include "test_createdb.moc"
