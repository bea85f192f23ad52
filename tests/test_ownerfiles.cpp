#include "support/testenv.h"

#include "app/runsettings.h"
#include "core/csvfile.h"
#include "db/clinic/paymentreports.h"
#include "db/engine/databaselock.h"
#include "db/upkeep/onlinebackup.h"
#include "reportengine/lazyreport.h"
#include "reportengine/reportoutput.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"
#include "settings/settingsstore.h"
#include "upkeep/backups.h"

#include <QFileInfo>
#include <QSettings>
#include <QTest>
#include <sys/stat.h>

namespace {

// Writes one kind of file the program keeps (again, when it already stands) and gives its path.
using Writer = QString (*)(TestEnv&);

QString backupIntoFolderTheUserMade(TestEnv& env) {
    env.createDatabase();
    AppSettings().backupspath = env.makeDir("usb");
    ::chmod(qPrintable(AppSettings().backupspath), 0700);
    return backUpDatabase(AppSettings(), BackupOccasion::Requested).path;
}

QString csvExport(TestEnv& env) {
    const QString path = env.root() + "/patients.csv";
    CsvFile file(path);
    file.writeRow({"1", "Huda"});
    file.commit();
    return path;
}

QString pdfExport(TestEnv& env) {
    const QString database = QFileInfo::exists(AppSettings().databaseFilePath)
                                 ? AppSettings().databaseFilePath
                                 : env.createDatabase();
    Report report = reportByName("statement");
    PrepareReport(report, AppSettings());
    const auto rows = statementRows(database, "7");
    LazyReport pages(report, *rows);
    const QString path = env.root() + "/statement.pdf";
    savePdf(pages, path);
    return path;
}

QString settingsFile(TestEnv&) {
    WriteAllSettings(AppSettings());
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "ovrant", "korvel").fileName();
}

QString database(TestEnv& env) {
    if (!QFileInfo::exists(AppSettings().databaseFilePath))
        return env.createDatabase();
    const QString copy = env.root() + "/copy.mdb";
    QFile::remove(copy);
    writeDatabaseCopy(AppSettings().databaseFilePath, copy);
    restoreDatabaseFile(copy, AppSettings().databaseFilePath);
    return AppSettings().databaseFilePath;
}

QString lockFile(TestEnv& env) {
    const QString path = env.createDatabase();
    lockDatabase(path);
    return path + ".lock";
}

QString errorLog(TestEnv& env) {
    return env.programDirectory() + "/errors.log";
}

QString backupsLog(TestEnv& env) {
    return QFileInfo(backupIntoFolderTheUserMade(env)).absolutePath() + "/backups.log";
}

QString backupsFolderItMakes(TestEnv& env) {
    env.createDatabase();
    return QFileInfo(backUpDatabase(AppSettings(), BackupOccasion::Requested).path).absolutePath();
}

QString settingsFolder(TestEnv& env) {
    return QFileInfo(settingsFile(env)).absolutePath();
}

QFile::Permissions modeOf(const QString& path) {
    return QFileInfo(path).permissions() & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser);
}

constexpr QFile::Permissions kOwnerFile = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions kOwnerFolder = kOwnerFile | QFile::ExeOwner;
constexpr QFile::Permissions kShared = kOwnerFile | QFile::ReadGroup;

} // namespace

Q_DECLARE_METATYPE(Writer)

// Under the usual umask (022) every file that holds patient data is made the owner's alone, and
// so is every folder the program makes; a file the user gave another mode keeps it when replaced.
class OwnerFilesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { ::umask(022); }

    void madeForTheOwnerAlone_data() {
        QTest::addColumn<Writer>("write");
        QTest::addColumn<QFile::Permissions>("mode");
        QTest::newRow("database") << Writer(database) << kOwnerFile;
        QTest::newRow("its lock") << Writer(lockFile) << kOwnerFile;
        QTest::newRow("backup in a 0700 folder")
            << Writer(backupIntoFolderTheUserMade) << kOwnerFile;
        QTest::newRow("backups.log") << Writer(backupsLog) << kOwnerFile;
        QTest::newRow("errors.log") << Writer(errorLog) << kOwnerFile;
        QTest::newRow("CSV export") << Writer(csvExport) << kOwnerFile;
        QTest::newRow("PDF export") << Writer(pdfExport) << kOwnerFile;
        QTest::newRow("settings") << Writer(settingsFile) << kOwnerFile;
        QTest::newRow("backups folder") << Writer(backupsFolderItMakes) << kOwnerFolder;
        QTest::newRow("settings folder") << Writer(settingsFolder) << kOwnerFolder;
    }

    void madeForTheOwnerAlone() {
        QFETCH(Writer, write);
        QFETCH(QFile::Permissions, mode);
        TestEnv env;
        const QString path = write(env);
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        QCOMPARE(modeOf(path), mode);
    }

    void aReplacedFileKeepsItsMode_data() {
        QTest::addColumn<Writer>("write");
        QTest::newRow("database restored") << Writer(database);
        QTest::newRow("CSV export") << Writer(csvExport);
        QTest::newRow("PDF export") << Writer(pdfExport);
        QTest::newRow("settings") << Writer(settingsFile);
    }

    void aReplacedFileKeepsItsMode() {
        QFETCH(Writer, write);
        TestEnv env;
        const QString path = write(env);
        QVERIFY(QFile::setPermissions(path, kShared | QFile::ReadUser | QFile::WriteUser));
        QCOMPARE(write(env), path);
        QCOMPARE(modeOf(path), kShared);
    }
};

QTEST_MAIN(OwnerFilesTest)
#include "test_ownerfiles.moc"
