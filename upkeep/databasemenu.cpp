#include "upkeep/databasemenu.h"

#include "app/menuerrortrap.h"
#include "app/setdefaults.h"
#include "core/dialogs.h"
#include "core/programdir.h"
#include "db/engine/databaselock.h"
#include "db/upkeep/validation.h"
#include "screens/releasedb.h"
#include "settings/appsettings.h"
#include "settings/settingsstore.h"
#include "upkeep/databaseprocedures.h"
#include "upkeep/integritywatch.h"
#include "upkeep/jetimportoffer.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

constexpr auto kDatabaseFilter = "korvel_data.mdb (korvel_data.mdb)|korvel_data.mdb";

void refuseInvalid() {
    dialogs().message(QCoreApplication::translate("DatabaseMenu", "This database is invalid!"),
                      Dialogs::Buttons::Ok, Dialogs::Icon::Critical);
}

// The directory of the chosen file when the program can work there; empty after telling the
// user why not. The file that will be used is checked too, since the user may have chosen a
// valid database under another name beside an invalid korvel_data.mdb.
QString acceptedDirectory(const QString& chosen) {
    switch (offerJetCopy(chosen)) {
    case JetOffer::NotJet:
        break;
    case JetOffer::Copied:
        return QFileInfo(chosen).absolutePath();
    case JetOffer::Declined:
    case JetOffer::Failed:
        return QString();
    }
    if (!ValidDB(chosen)) {
        refuseInvalid();
        return QString();
    }
    const QString directory = QFileInfo(chosen).absolutePath();
    const QString database = databaseFileIn(directory);
    if (!fileExists(database)) {
        showMessage(QCoreApplication::translate(
            "DatabaseMenu",
            "The Database korvel_data.mdb file must be copied to this Direcotry first!"));
        return QString();
    }
    if (!ValidDB(database)) {
        refuseInvalid();
        return QString();
    }
    return directory;
}

// Another copy working on the chosen file is told, and this copy stays on its own database.
bool heldByThisCopy(const QString& database) {
    const auto holder = lockDatabase(database);
    if (holder)
        showMessage(inUseByAnotherCopyText(database, *holder));
    return !holder;
}

void switchTo(AppSettingsRecord& settings, const QString& directory) {
    SaveRegValue(Setting::DbPath, directory);
    // A file chosen here is worked on instead of a server's database.
    settings.dbserver.clear();
    SaveRegValue(Setting::DbServer, QString());
    settings.setDbPath(directory);
    stopDatabaseCheck();
    UpgradeDB(settings);
    ReleaseDB();
    SetDefaults(settings);
}

} // namespace

void changeDatabaseDirectory(AppSettingsRecord& settings) {
    underMenuErrorTrap(
        QCoreApplication::translate("DatabaseMenu", "Database Change Cancelled"), [&] {
            if (dialogs().message(
                    QCoreApplication::translate(
                        "DatabaseMenu", "Are you sure you want to change the Database Directory"),
                    Dialogs::Buttons::YesNo, Dialogs::Icon::Critical) != Dialogs::Answer::Yes)
                return;
            const auto chosen =
                dialogs().openFile(kDatabaseFilter, settings.dbpath, settings.databaseFilePath);
            if (!chosen)
                throw dialogCancelled();
            const QString directory = acceptedDirectory(*chosen);
            if (!directory.isEmpty() && heldByThisCopy(databaseFileIn(directory)))
                switchTo(settings, directory);
        });
}
