#include "app/copydatabasecommand.h"
#include "app/qtdialogs.h"
#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "app/startup.h"
#include "binding/screens.h"

#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    // Copying a database needs no display: it runs on a server's console too.
    if (isCopyDatabaseCommand(argc, argv)) {
        QCoreApplication app(argc, argv);
        return runCopyDatabaseCommand(QCoreApplication::arguments());
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName("ovrant");
    QApplication::setApplicationName("korvel");
    QApplication::setApplicationVersion(KORVEL_VERSION);

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
