#include "upkeep/restorebackup.h"

#include "app/setdefaults.h"
#include "core/apperror.h"
#include "db/upkeep/copylayout.h"
#include "db/upkeep/integrity.h"
#include "db/upkeep/onlinebackup.h"
#include "screens/releasedb.h"
#include "settings/appsettings.h"
#include "upkeep/backups.h"
#include "upkeep/databaseprocedures.h"
#include "upkeep/integritywatch.h"
#include <QCoreApplication>

namespace {

void refuseUnusableCopy(const QString& copy) {
    try {
        checkedLayout(copy);
    } catch (const AppError& error) {
        throw AppError(error.number(),
                       error.description() + "\r\n" +
                           QCoreApplication::translate("RestoreBackup", "Nothing was changed."),
                       error.kind());
    }
    const QString finding = damageFound(copy, CheckedFile::Copy);
    if (!finding.isEmpty())
        throw damagedDatabase(copy, finding);
}

} // namespace

void restoreBackup(AppSettingsRecord& settings, const QString& copy) {
    refuseUnusableCopy(copy);
    // Without a copy of what is there now, a restore of the wrong day could not be undone.
    backUpDatabase(settings, BackupOccasion::BeforeRestore);
    stopDatabaseCheck();
    ReleaseDB();
    try {
        restoreDatabaseFile(copy, settings.databaseFilePath);
    } catch (const AppError&) {
        SetDefaults(settings);
        throw;
    }
    // A copy taken before an upgrade has the older layout.
    UpgradeDB(settings);
    SetDefaults(settings);
}
