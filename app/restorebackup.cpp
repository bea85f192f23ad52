#include "app/restorebackup.h"

#include "app/backups.h"
#include "app/databaseprocedures.h"
#include "app/integritywatch.h"
#include "app/setdefaults.h"
#include "binding/releasedb.h"
#include "core/apperror.h"
#include "db/copylayout.h"
#include "db/integrity.h"
#include "db/onlinebackup.h"
#include "settings/appsettings.h"
#include <QCoreApplication>

namespace {

void refuseUnusableCopy(const QString& copy) {
    try {
        checkedLayout(copy);
    } catch (const AppError& error) {
        throw AppError(error.number(),
                       error.description() + "\r\n" +
                           QCoreApplication::translate("RestoreBackup", "Nothing was changed."));
    }
    const QString finding = damageFound(copy, CheckedFile::Copy);
    if (!finding.isEmpty())
        throw AppError(kDatabaseDamaged, damagedDatabaseText(copy, finding));
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
