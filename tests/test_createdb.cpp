#include "support/clinicrows.h"
#include "support/testenv.h"

#include "app/runsettings.h"
#include "app/startup.h"
#include "core/programdir.h"
#include "db/engine/connection.h"
#include "settings/settingsstore.h"
#include "upkeep/backups.h"
#include "upkeep/databaseprocedures.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
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

// A clinic as the fault runs find it: the previous database with a patient file in the program
// directory, and settings that point at a directory that holds no database.
struct FaultRunClinic {
    TestEnv env;
    QByteArray previous;

    explicit FaultRunClinic(const QByteArray& previousDatabase) : previous(previousDatabase) {
        writeFile(env.programDirectory() + "/korvel_data.mdb", previous);
        AppSettings().setDbPath(env.makeDir("clinic"));
        WriteAllSettings(AppSettings());
    }

    // Starts the program in a process of its own; true when it started.
    bool start(const QString& faultMode = QString(), int faultAt = 0) const {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (!faultMode.isEmpty()) {
            environment.insert("LD_PRELOAD", FAULT_SHIM);
            environment.insert("KORVEL_FAULT_MODE", faultMode);
            environment.insert("KORVEL_FAULT_AT", QString::number(faultAt));
        }
        child.setProcessEnvironment(environment);
        child.start(STARTUP_CHILD, {env.programDirectory(), env.root() + "/config"});
        if (!child.waitForFinished(30000))
            child.kill();
        if (qEnvironmentVariableIsSet("KORVEL_SHOW_CHILD"))
            qDebug() << faultMode << faultAt << child.readAll();
        return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    }

    // The previous database stands whole under one of the names the program gives it.
    bool previousReachable() const {
        const QStringList names =
            QDir(env.programDirectory()).entryList({"korvel_data*.mdb"}, QDir::Files);
        return std::any_of(names.begin(), names.end(), [&](const QString& name) {
            return readFile(env.programDirectory() + "/" + name) == previous;
        });
    }
};

QByteArray previousClinicDatabase() {
    TestEnv env;
    const QString path = env.createDatabase();
    addPatient({{"file_num", "P1"}, {"pt_name", "the previous clinic"}});
    closeAllDatabases();
    return readFile(path);
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
    void oldBackupBesideNoDatabaseIsKeptAside();
    void oldBackupBesideAnEmptyDatabaseIsKeptAside();
    void killOrFullDiskAtAnyWriteKeepsThePreviousData();
    void creationCutOffBetweenItsRenamesIsCompletedAtTheNextStart();
};

void CreateDbTest::newDatabaseWithoutQuestionWhenNothingExists() {
    TestEnv env;
    QVERIFY(CreateDB(AppSettings(), "korvel_data", QString()));
    QVERIFY(isNewDatabase(env.programDirectory() + "/korvel_data.mdb"));
    QVERIFY(!fileExists(env.programDirectory() + "/korvel_data_backup.mdb"));
    QCOMPARE(env.log(), QString());
}

void CreateDbTest::previousDatabaseBecomesTheBackup() {
    TestEnv env;
    writeFile(env.programDirectory() + "/korvel_data.mdb", "previous clinic data");
    QVERIFY(CreateDB(AppSettings(), "korvel_data", QString()));
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
    QVERIFY(!CreateDB(AppSettings(), "korvel_data", QString()));
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
    QVERIFY(CreateDB(AppSettings(), "korvel_data", QString()));
    QCOMPARE(readFile(backup), QByteArray("current"));
    QVERIFY(isNewDatabase(env.programDirectory() + "/korvel_data.mdb"));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
}

void CreateDbTest::letterheadBecomesThePromptTexts() {
    TestEnv env;
    AppSettings().letterhead = DefaultLetterhead();
    WriteAllSettings(AppSettings());
    QVERIFY(CreateDB(AppSettings(), "korvel_data", QString()));
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
            return !CreateDB(AppSettings(), "korvel_data", QString());
        } catch (...) {
            return false;
        }
    }();
    QVERIFY(failed);
    QCOMPARE(readFile(database), QByteArray("the only copy of the clinic's data"));
    QVERIFY(env.log().startsWith("error in (CreateDB) : 75 -> Path/File access error"));
    QVERIFY(env.log().endsWith("\r\n"));
}

void CreateDbTest::oldBackupBesideNoDatabaseIsKeptAside() {
    TestEnv env;
    const QString backup = env.programDirectory() + "/korvel_data_backup.mdb";
    writeFile(backup, "the only copy of the clinic's data");
    env.dialogs.expectMessage(kBackupQuestion + backup, Dialogs::Buttons::YesNo,
                              Dialogs::Icon::Critical, Dialogs::Answer::Yes);
    QVERIFY(CreateDB(AppSettings(), "korvel_data", QString()));
    QVERIFY(isNewDatabase(env.programDirectory() + "/korvel_data.mdb"));
    QVERIFY(!fileExists(backup));
    const QStringList aside =
        QDir(env.programDirectory()).entryList({"korvel_data_backup_*.mdb"}, QDir::Files);
    QCOMPARE(aside.size(), 1);
    QVERIFY2(
        QRegularExpression(R"(^korvel_data_backup_\d{8}_\d{6}\.mdb$)").match(aside[0]).hasMatch(),
        qPrintable(aside[0]));
    QCOMPARE(readFile(env.programDirectory() + "/" + aside[0]),
             QByteArray("the only copy of the clinic's data"));
}

// A new, empty database beside the backup (a start that was cut off before it adopted it) is no
// copy of the backup's data; a database with records is, and the backup goes.
void CreateDbTest::oldBackupBesideAnEmptyDatabaseIsKeptAside() {
    TestEnv env;
    const QString database = env.createDatabase();
    const QString backup = env.programDirectory() + "/korvel_data_backup.mdb";
    writeFile(backup, "older data");
    env.dialogs.expectMessage(kBackupQuestion + backup, Dialogs::Buttons::YesNo,
                              Dialogs::Icon::Critical, Dialogs::Answer::Yes);
    QVERIFY(CreateDB(AppSettings(), "korvel_data", QString()));
    QCOMPARE(QDir(env.programDirectory()).entryList({"korvel_data_backup_*.mdb"}).size(), 1);

    addPatient({{"file_num", "P1"}}, ScopedDatabase(database).db());
    env.dialogs.expectMessage(kBackupQuestion + backup, Dialogs::Buttons::YesNo,
                              Dialogs::Icon::Critical, Dialogs::Answer::Yes);
    QVERIFY(CreateDB(AppSettings(), "korvel_data", QString()));
    QCOMPARE(QDir(env.programDirectory()).entryList({"korvel_data_backup_*.mdb"}).size(), 1);
    QCOMPARE(countOf("per_inf_data", ScopedDatabase(backup).db()), 1);
}

// Creation cut off at every file write, rename and deletion in turn, by a kill or by a full disk:
// the next start always gets through, and the previous database is always there.
void CreateDbTest::killOrFullDiskAtAnyWriteKeepsThePreviousData() {
    const QByteArray previous = previousClinicDatabase();
    int writes = 0;
    for (int at = 1;; ++at) {
        QVERIFY2(at < 300, "creation never ran to its end");
        FaultRunClinic clinic(previous);
        const bool cutOff = !clinic.start("kill", at);
        QVERIFY2(clinic.start(), qPrintable(QString("no start after a kill at %1").arg(at)));
        QVERIFY2(clinic.previousReachable(), qPrintable(QString("lost at kill %1").arg(at)));
        if (!cutOff) {
            writes = at - 1;
            break;
        }
    }
    QVERIFY(writes > 10);
    for (int at = 1; at <= writes; ++at) {
        FaultRunClinic clinic(previous);
        clinic.start("full", at);
        QVERIFY2(clinic.start(), qPrintable(QString("no start after a full disk at %1").arg(at)));
        QVERIFY2(clinic.previousReachable(), qPrintable(QString("lost at full %1").arg(at)));
    }
}

// Killed once the previous database took the backup name and before the new one took its place:
// the next start puts the new file in place without asking anything (a user who would answer No
// to deleting the backup was told that creation failed, and the program ended).
void CreateDbTest::creationCutOffBetweenItsRenamesIsCompletedAtTheNextStart() {
    const QByteArray previous = previousClinicDatabase();
    for (int at = 1; at < 300; ++at) {
        FaultRunClinic clinic(previous);
        if (clinic.start("kill", at))
            break;
        const QString database = clinic.env.programDirectory() + "/korvel_data.mdb";
        if (fileExists(database) || !fileExists(database + ".new"))
            continue;
        QVERIFY(StartUp(AppSettings()));
        waitForBackgroundBackup();
        QVERIFY2(clinic.env.dialogs.allAnswered(), qPrintable(clinic.env.dialogs.report()));
        QCOMPARE(readFile(clinic.env.programDirectory() + "/korvel_data_backup.mdb"), previous);
        QCOMPARE(AppSettings().databaseFilePath, database);
        QCOMPARE(ReadRegValue("dbpath"), clinic.env.programDirectory());
        QCOMPARE(countOf("per_inf_data", ScopedDatabase(database).db()), 0);
        QVERIFY(!fileExists(database + ".new"));
        return;
    }
    QFAIL("no kill fell between the two renames");
}

QTEST_MAIN(CreateDbTest)
#include "test_createdb.moc"
