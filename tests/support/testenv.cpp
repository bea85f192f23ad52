#include "testenv.h"

#include "app/backups.h"
#include "app/databaseprocedures.h"
#include "app/runsettings.h"
#include "binding/screens.h"
#include "core/errorlog.h"
#include "core/programdir.h"
#include "db/connection.h"
#include "db/databaselock.h"
#include "settings/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

TestEnv::TestEnv() {
    QDir(dir_.path()).mkpath("program");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path() + "/config");
    setProgramDir(programDirectory());
    setToday(QDate(2026, 12, 6));
    setDialogs(&dialogs);
    AppSettings() = AppSettingsRecord();
    ErrorLog::open(programDirectory() + "/errors.log");
}

TestEnv::~TestEnv() {
    waitForBackgroundBackup();
    Screens::reset();
    closeAllDatabases();
    releaseDatabaseLock();
    ErrorLog::close();
    setDialogs(nullptr);
    if (!dialogs.allAnswered())
        QTest::qFail(dialogs.report().toUtf8().constData(), __FILE__, __LINE__);
}

QString TestEnv::programDirectory() const {
    return dir_.path() + "/program";
}

QString TestEnv::makeDir(const QString& name) const {
    QDir(dir_.path()).mkpath(name);
    return dir_.path() + "/" + name;
}

QString TestEnv::log() const {
    QFile file(programDirectory() + "/errors.log");
    file.open(QIODevice::ReadOnly);
    return QString::fromUtf8(file.readAll());
}

QString TestEnv::createDatabase() {
    AppSettings().setDbPath(programDirectory());
    WriteAllSettings(AppSettings());
    if (!CreateDB(AppSettings(), "korvel_data", QString()))
        QTest::qFail("CreateDB failed", __FILE__, __LINE__);
    return AppSettings().databaseFilePath;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}
