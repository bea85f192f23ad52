#include "app/mainmenubar.h"

#include "app/language.h"
#include "app/letterheadmenu.h"
#include "app/letterheadpanel.h"
#include "app/logomenu.h"
#include "app/reportslocationmenu.h"
#include "screens/screens.h"
#include "upkeep/backupmenu.h"
#include "upkeep/compactmenu.h"
#include "upkeep/copydatabasemenu.h"
#include "upkeep/databasemenu.h"
#include "upkeep/serverchoice.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>

namespace {

QMenu* addMenu(QWidget* parent, const QString& name, const QString& title) {
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(name);
    menu->setAccessibleName(title);
    menu->menuAction()->setObjectName(name);
    return menu;
}

template <typename Handler>
QAction* addItem(QWidget* owner, const QString& name, const QString& text, Handler handler) {
    auto* action = new QAction(text, owner);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, owner, handler);
    return action;
}

void addLetterheadItems(QMainWindow& window, QMenu* menu, AppSettingsRecord& settings) {
    QMenu* qualifications = nullptr;
    for (const LetterheadItem& item : kLetterheadItems) {
        QMenu* parent = menu;
        if (item.qualification) {
            if (!qualifications) {
                qualifications =
                    addMenu(menu, "mnuQualifications",
                            QCoreApplication::translate("MainMenuBar", "Qualifications"));
                menu->addMenu(qualifications);
            }
            parent = qualifications;
        }
        auto* panel = window.findChild<LetterheadPanel*>();
        parent->addAction(addItem(
            &window, item.menuName, QCoreApplication::translate("LetterheadMenu", item.text),
            [&settings, &item, panel] { editLetterheadItem(settings, item, panel); }));
    }
}

QMenu* settingsMenu(QMainWindow& window, PictureBox& picture, AppSettingsRecord& settings) {
    QMenu* menu =
        addMenu(&window, "mnuSettings", QCoreApplication::translate("MainMenuBar", "Settings"));
    addLetterheadItems(window, menu, settings);
    menu->addAction(addItem(&window, "mnuLogo", QCoreApplication::translate("MainMenuBar", "Logo"),
                            [&settings, &picture] { changeLogo(settings, picture); }));
    menu->addAction(addItem(&window, "mnuDatabase",
                            QCoreApplication::translate("MainMenuBar", "Database"),
                            [&settings] { changeDatabaseDirectory(settings); }));
    menu->addAction(addItem(&window, "mnuDatabaseServer",
                            QCoreApplication::translate("MainMenuBar", "Database Server..."),
                            [&settings] { chooseDatabaseServer(settings); }));
    menu->addAction(addItem(&window, "mnuCopyDatabase",
                            QCoreApplication::translate("MainMenuBar", "Copy Database"),
                            [&settings, &window] { copyDatabaseElsewhere(settings, &window); }));
    menu->addAction(addItem(&window, "mnuBackUpNow",
                            QCoreApplication::translate("MainMenuBar", "Back up now"),
                            [&settings] { backUpNow(settings); }));
    menu->addAction(addItem(&window, "mnuRestore",
                            QCoreApplication::translate("MainMenuBar", "Restore..."),
                            [&settings] { restoreFromBackup(settings); }));
    menu->addAction(addItem(&window, "mnuBackupsFolder",
                            QCoreApplication::translate("MainMenuBar", "Backups Folder..."),
                            [&settings, &window] { chooseBackupsFolder(settings, &window); }));
    QAction* reports = addItem(&window, "mnuReportsLocation",
                               QCoreApplication::translate("MainMenuBar", "Reports Location"),
                               [&settings, &window] { changeReportsLocation(settings, &window); });
    // The report layouts are part of the program, so their location is not the user's to set.
    reports->setEnabled(false);
    menu->addAction(reports);
    menu->addMenu(languageMenu(&window, settings));
    return menu;
}

QMenu* helpMenu(QMainWindow& window) {
    QMenu* help = addMenu(&window, "mnuHelp", QCoreApplication::translate("MainMenuBar", "Help"));
    help->addAction(
        addItem(&window, "mnuAbout", QCoreApplication::translate("MainMenuBar", "About"), [] {
            if (QWidget* about = Screens::get(Screen::About)) {
                about->show();
                about->raise();
                about->activateWindow();
            }
        }));
    return help;
}

} // namespace

void buildMainMenuBar(QMainWindow& window, PictureBox& picture, AppSettingsRecord& settings) {
    QMenuBar* bar = window.menuBar();
    bar->setAccessibleName(QCoreApplication::translate("MainMenuBar", "Menu bar"));
    bar->addMenu(settingsMenu(window, picture, settings));
    bar->addAction(addItem(&window, "mnuCompactDatabase",
                           QCoreApplication::translate("MainMenuBar", "Compact Database"),
                           [&settings] { compactDatabase(settings); }));
    bar->addMenu(helpMenu(window));
}
