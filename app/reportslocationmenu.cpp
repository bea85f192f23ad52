#include "app/reportslocationmenu.h"

#include "core/dialogs.h"
#include "reports/reportspresent.h"
#include "settings/appsettings.h"
#include "settings/settingsstore.h"
#include <QCoreApplication>

void changeReportsLocation(AppSettingsRecord& settings, QWidget* owner) {
    if (dialogs().message(
            QCoreApplication::translate("ReportsLocationMenu",
                                        "Are you sure you want to change the Reports Directory"),
            Dialogs::Buttons::YesNo, Dialogs::Icon::Critical) != Dialogs::Answer::Yes)
        return;
    const QString directory = PickFolder(
        owner, QCoreApplication::translate("ReportsLocationMenu", "Select Reports Folder"));
    if (directory.isEmpty() || !ReportsPresent(directory)) {
        showMessage(QCoreApplication::translate(
            "ReportsLocationMenu", "The reports must be copied to this Direcotry first!"));
        return;
    }
    SaveRegValue(Setting::ReportsPath, directory);
    settings.reportspath = directory;
}
