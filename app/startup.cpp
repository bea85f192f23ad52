#include "app/startup.h"

#include "app/setdefaults.h"
#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/failures.h"
#include "core/programdir.h"
#include "db/engine/databaselock.h"
#include "db/engine/engineprobe.h"
#include "db/upkeep/createdb.h"
#include "db/upkeep/validation.h"
#include "settings/appsettings.h"
#include "settings/settingsstore.h"
#include "upkeep/backups.h"
#include "upkeep/databasepathreason.h"
#include "upkeep/databaseprocedures.h"
#include "upkeep/integritywatch.h"
#include "upkeep/jetimportoffer.h"
#include "upkeep/leftovers.h"
#include "upkeep/serverchoice.h"
#include <QCoreApplication>

namespace {

constexpr auto kMainLabel = "error (main) : ";

// Runs one step of start-up; a failure is logged and start-up goes on with the next step.
template <typename Step> void step(Step work) {
    logged(kMainLabel, work);
}

void loadSettings(AppSettingsRecord& s) {
    for (const Setting setting : allSettings())
        settingIn(s, setting) = builtInValue(setting);
    if (!SettingsKeyWritable())
        WriteAllSettings(s);
    else
        ReadAllSettings(s);
    s.setDbPath(s.dbpath);
}

void offerNewDatabase(AppSettingsRecord& s) {
    if (fileExists(s.databaseFilePath))
        return;
    // A path the program cannot use is named with its reason, on a line of its own, first.
    QString reason = unusableDatabasePathReason(s.dbpath, s.databaseFilePath);
    if (!reason.isEmpty())
        reason += "\r\n";
    if (dialogs().message(reason + QCoreApplication::translate(
                                       "StartUp", "Do you want to create a NEW Database!?"),
                          Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
        return;
    if (CreateDB(s, "korvel_data", QString())) {
        dialogs().message(
            QCoreApplication::translate("StartUp", "Datebase was created successfully"));
        s.setDbPath(programDir());
        SaveRegValue(Setting::DbPath, s.dbpath);
    } else {
        dialogs().message(QCoreApplication::translate("StartUp", "Database creation failed!"));
    }
}

enum class Acceptance { Valid, Invalid, GivenUp };

// A file that another program keeps locked may be valid: it is never refused, replaced or
// looked for elsewhere, and the user may wait for the other program and try again.
Acceptance accept(const QString& path) {
    // The earlier program's file is offered for copying; without a copy the program has no
    // database to work on.
    switch (offerJetCopy(path)) {
    case JetOffer::NotJet:
        break;
    case JetOffer::Copied:
        return Acceptance::Valid;
    case JetOffer::Declined:
    case JetOffer::Failed:
        return Acceptance::GivenUp;
    }
    for (;;) {
        if (ValidDB(path))
            return Acceptance::Valid;
        if (!databaseBusy(path))
            return Acceptance::Invalid;
        if (dialogs().message(busyDatabaseText(path), Dialogs::Buttons::YesNo) !=
            Dialogs::Answer::Yes)
            return Acceptance::GivenUp;
    }
}

// Returns false when no valid database could be had and the program must end.
bool ensureValidDatabase(AppSettingsRecord& s) {
    if (fileExists(s.databaseFilePath)) {
        const Acceptance stored = accept(s.databaseFilePath);
        if (stored != Acceptance::Invalid)
            return stored == Acceptance::Valid;
    }
    s.setDbPath(PickFolder(nullptr, "korvel_data.mdb"));
    if (!fileExists(s.databaseFilePath)) {
        dialogs().message(
            QCoreApplication::translate("StartUp", "You cannot use this program without the VALID "
                                                   "Database korvel_data.mdb!\r\nkorvel_data.mdb"));
        return false;
    }
    const Acceptance picked = accept(s.databaseFilePath);
    if (picked == Acceptance::Invalid)
        dialogs().message(QCoreApplication::translate(
            "StartUp", "This does NOT appear to be a valid Database for this program"));
    if (picked != Acceptance::Valid)
        return false;
    SaveRegValue(Setting::DbPath, s.dbpath);
    return true;
}

// Returns false when another copy works on the database and the user gives up waiting for it.
bool lockForThisCopy(const QString& path) {
    while (const auto holder = lockDatabase(path)) {
        if (dialogs().message(
                inUseByAnotherCopyText(path, *holder) +
                    QCoreApplication::translate("StartUp", "\r\nDo you want to try again?"),
                Dialogs::Buttons::YesNo) != Dialogs::Answer::Yes)
            return false;
    }
    return true;
}

// A creation that a crash cut off is completed before anything is asked: the clinic's previous
// database is then the backup, and the new one takes the place the settings name.
void finishCreation(AppSettingsRecord& s) {
    if (finishInterruptedCreation("korvel_data") && !fileExists(s.databaseFilePath)) {
        s.setDbPath(programDir());
        SaveRegValue(Setting::DbPath, s.dbpath);
    }
}

// The database file of the settings, valid and held by this copy alone; false when the program
// must end.
bool fileDatabaseReady(AppSettingsRecord& s) {
    step([&] { finishCreation(s); });
    step([&] { offerNewDatabase(s); });
    bool ready = true;
    step([&] { ready = ensureValidDatabase(s); });
    if (!ready)
        return false;
    step([&] { ready = lockForThisCopy(s.databaseFilePath); });
    if (ready)
        step([&] { removeLeftovers(s); });
    return ready;
}

} // namespace

bool DatabaseEngineAvailable() {
    return logged("error (ADOInstalled) : ", checkDatabaseEngine);
}

bool StartUp(AppSettingsRecord& settings) {
    ErrorLog::open(programDir() + "/errors.log");
    if (!DatabaseEngineAvailable()) {
        dialogs().message(QCoreApplication::translate(
            "StartUp", "You have to install ADO in order to run this program.  Download "
                       "MDAC_TYP from Microsoft first."));
        return false;
    }
    step([&] { loadSettings(settings); });
    if (settings.onServer())
        step([&] { settleServerDatabase(settings); });
    if (!settings.onServer() && !fileDatabaseReady(settings))
        return false;
    step([&] { settings.setDbPath(settings.dbpath); });
    step([&] { UpgradeDB(settings); });
    step([&] { SetDefaults(settings); });
    step([&] { checkDatabaseIntegrity(settings.databaseLocation()); });
    step([&] { backUpOnFirstStartOfDay(settings); });
    return true;
}
