#include "upkeep/compactdb.h"

#include "app/setdefaults.h"
#include "core/apperror.h"
#include "db/engine/connection.h"
#include "db/engine/serverdatabase.h"
#include "db/upkeep/compaction.h"
#include "db/upkeep/databasecare.h"
#include "screens/releasedb.h"

bool CompactDB(const AppSettingsRecord& settings, const QString& source, const QString& target) {
    if (compactsInPlace(source)) {
        vacuumServerDatabase(source);
        return true;
    }
    refuseUnwritableDatabase(source);
    ReleaseDB();
    try {
        compactDatabaseFile(source, target);
    } catch (const AppError&) {
        SetDefaults(settings);
        throw;
    }
    SetDefaults(settings);
    return true;
}
