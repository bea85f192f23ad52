#include "programsession.h"

#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "app/startup.h"
#include "core/errorlog.h"
#include "core/programdir.h"
#include "db/engine/connection.h"
#include "db/engine/databaselock.h"
#include "screens/screens.h"
#include "settings/settingsstore.h"
#include "upkeep/backups.h"
#include "upkeep/integritywatch.h"

#include <QCoreApplication>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QWidget>

namespace {

// The main window's buttons, by the screen they open.
QString buttonOf(Screen screen) {
    static const QHash<Screen, QString> buttons{
        {Screen::PatientFile, "SSCommand1"},     {Screen::PatientSearch, "SSCommand2"},
        {Screen::PeriodicReports, "SSCommand3"}, {Screen::Catalog, "SSCommand4"},
        {Screen::OpenFile, "SSCommand5"},        {Screen::InvoiceList, "SSCommand6"}};
    return buttons.value(screen);
}

} // namespace

QObject* findControl(QWidget* screen, const QString& name, const QMetaObject& kind) {
    struct Found {
        QPointer<QWidget> screen;
        QPointer<QObject> control;
    };
    static QHash<QString, Found> found;
    if (!screen)
        return nullptr;
    const QString key = QString::number(quintptr(screen)) + '/' + kind.className() + '/' + name;
    const Found known = found.value(key);
    if (known.screen == screen && known.control)
        return known.control;
    for (QObject* child : screen->findChildren<QObject*>(name))
        if (kind.cast(child)) {
            found.insert(key, {screen, child});
            return child;
        }
    return nullptr;
}

void settle() {
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

ProgramSession::ProgramSession(const QString& directory, const QString& server)
    : directory_(directory) {
    setProgramDir(directory);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, directory + "/settings");
    setDialogs(&dialogs);
    AppSettings() = AppSettingsRecord();
    AppSettings().dbpath = directory;
    AppSettings().letterhead = DefaultLetterhead();
    AppSettings().dbserver = server;
    WriteAllSettings(AppSettings());
    registerScreens(AppSettings());
}

ProgramSession::~ProgramSession() {
    stop();
    Screens::reset();
    closeAllDatabases();
    releaseDatabaseLock();
    ErrorLog::close();
    setDialogs(nullptr);
}

bool ProgramSession::start(bool settleBackgroundWork) {
    if (!StartUp(AppSettings()))
        return false;
    if (settleBackgroundWork) {
        waitForBackgroundBackup();
        stopDatabaseCheck();
    }
    Screens::get(Screen::Main)->show();
    settle();
    running_ = true;
    return true;
}

void ProgramSession::stop() {
    if (!running_)
        return;
    for (QWidget* screen : Screens::loaded())
        screen->close();
    settle();
    stopDatabaseCheck();
    Screens::reset();
    closeAllDatabases();
    releaseDatabaseLock();
    registerScreens(AppSettings());
    running_ = false;
}

QWidget* ProgramSession::open(Screen screen) {
    QWidget* main = Screens::get(Screen::Main);
    control<QPushButton>(main, buttonOf(screen))->click();
    settle();
    return Screens::existing(screen);
}

void ProgramSession::close(Screen screen) {
    if (QWidget* widget = Screens::existing(screen))
        widget->close();
    settle();
}
