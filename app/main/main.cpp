#include "app/consolecommand.h"
#include "app/language.h"
#include "app/qtdialogs.h"
#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "app/startup.h"
#include "screens/screens.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    // Set first: the settings and the per-user data directory are found by these names.
    QCoreApplication::setOrganizationName("ovrant");
    QCoreApplication::setApplicationName("korvel");
    QCoreApplication::setApplicationVersion(KORVEL_VERSION);
    if (isConsoleCommand(argc, argv)) {
        QCoreApplication app(argc, argv);
        return runConsoleCommand(QCoreApplication::arguments());
    }
    QApplication app(argc, argv);
    // Ties the windows to the menu entry (and its icon) where the desktop asks for it.
    QApplication::setDesktopFileName(KORVEL_APP_ID);
    applyStoredLanguage(app);

    QtDialogs qtDialogs;
    setDialogs(&qtDialogs);
    registerScreens(AppSettings());

    if (!StartUp(AppSettings()))
        return 0;
    Screens::get(Screen::Main)->show();
    const int result = QApplication::exec();
    Screens::reset();
    return result;
}
