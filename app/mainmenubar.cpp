#include "app/mainmenubar.h"

#include "app/backupmenu.h"
#include "app/compactmenu.h"
#include "app/databasemenu.h"
#include "app/letterheadmenu.h"
#include "app/logomenu.h"
#include "app/reportslocationmenu.h"
#include "binding/screens.h"

#include <QLabel>
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

void addLetterheadItems(QMainWindow& window, QMenu* settings) {
    QMenu* qualifications = nullptr;
    for (const LetterheadItem& item : kLetterheadItems) {
        QMenu* menu = settings;
        if (item.qualification) {
            if (!qualifications) {
                qualifications = addMenu(settings, "mnuQualifications", "Qualifications");
                settings->addMenu(qualifications);
            }
            menu = qualifications;
        }
        QLabel* label = item.labelName ? window.findChild<QLabel*>(item.labelName) : nullptr;
        menu->addAction(addItem(&window, item.menuName, item.text,
                                [&item, label] { editLetterheadItem(item, label); }));
    }
}

QMenu* settingsMenu(QMainWindow& window, PictureBox& picture) {
    QMenu* settings = addMenu(&window, "mnuSettings", "Settings");
    addLetterheadItems(window, settings);
    settings->addAction(addItem(&window, "mnuLogo", "Logo", [&picture] { changeLogo(picture); }));
    settings->addAction(addItem(&window, "mnuDatabase", "Database", changeDatabaseDirectory));
    settings->addAction(addItem(&window, "mnuBackUpNow", "Back up now", backUpNow));
    settings->addAction(addItem(&window, "mnuRestore", "Restore...", restoreFromBackup));
    settings->addAction(addItem(&window, "mnuBackupsFolder", "Backups Folder...",
                                [&window] { chooseBackupsFolder(&window); }));
    QAction* reports = addItem(&window, "mnuReportsLocation", "Reports Location",
                               [&window] { changeReportsLocation(&window); });
    // The report layouts are part of the program, so their location is not the user's to set.
    reports->setEnabled(false);
    settings->addAction(reports);
    return settings;
}

QMenu* helpMenu(QMainWindow& window) {
    QMenu* help = addMenu(&window, "mnuHelp", "Help");
    help->addAction(addItem(&window, "mnuAbout", "About", [] {
        if (QWidget* about = Screens::get(Screen::About)) {
            about->show();
            about->raise();
            about->activateWindow();
        }
    }));
    return help;
}

} // namespace

void buildMainMenuBar(QMainWindow& window, PictureBox& picture) {
    QMenuBar* bar = window.menuBar();
    bar->setAccessibleName("Menu bar");
    bar->addMenu(settingsMenu(window, picture));
    bar->addAction(addItem(&window, "mnuCompactDatabase", "Compact Database", compactDatabase));
    bar->addMenu(helpMenu(window));
}
