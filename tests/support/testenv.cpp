#include "testenv.h"

#include "app/runsettings.h"
#include "core/errorlog.h"
#include "core/programdir.h"
#include "db/engine/connection.h"
#include "db/engine/databaselock.h"
#include "db/upkeep/createdb.h"
#include "pgserver.h"
#include "screens/screens.h"
#include "settings/settingsstore.h"
#include "upkeep/backups.h"
#include "upkeep/databaseprocedures.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <memory>

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

bool testsOnServer() {
    return qEnvironmentVariable("KORVEL_TEST_ENGINE") == "server";
}

namespace {

std::unique_ptr<PgServer> server;

// One server for the whole test program, started on first use and stopped while the
// application, which its connections need, still stands.
PgServer& testServer() {
    if (!server) {
        server = std::make_unique<PgServer>();
        qAddPostRoutine([] { server.reset(); });
    }
    if (!server->failure().isEmpty())
        qFatal("the test server did not start: %s", qPrintable(server->failure()));
    return *server;
}

QString createServerDatabase() {
    static int made = 0;
    const QString name = "clinic_" + QString::number(++made);
    if (!testServer().createDatabase(name))
        qFatal("no database on the test server: %s", qPrintable(testServer().failure()));
    const QString uri = testServer().uri(name);
    ScopedDatabase database(uri);
    inTransaction(database.db(), [&] { createServerTables(database.db()); });
    return uri;
}

} // namespace

QString TestEnv::createDatabase() {
    AppSettings().setDbPath(programDirectory());
    if (testsOnServer()) {
        AppSettings().dbserver = createServerDatabase();
        WriteAllSettings(AppSettings());
        resetLetterhead(AppSettings(), PromptLetterhead());
        return AppSettings().dbserver;
    }
    WriteAllSettings(AppSettings());
    if (!CreateDB(AppSettings(), "korvel_data", QString()))
        QTest::qFail("CreateDB failed", __FILE__, __LINE__);
    return AppSettings().databaseFilePath;
}

std::pair<int, QString> TestEnv::loseTheDatabase() {
    if (!testsOnServer()) {
        const QString missing = dir_.path() + "/gone/korvel_data.mdb";
        AppSettings().databaseFilePath = missing;
        return {3024, "Could not find file '" + missing + "'."};
    }
    AppSettings().dbserver = testServer().uri("gone");
    try {
        ScopedDatabase unreachable(AppSettings().dbserver);
    } catch (const AppError& error) {
        return {error.number(), error.description()};
    }
    qFatal("the test server holds a database it was never given");
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
