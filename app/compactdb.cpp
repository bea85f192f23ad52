#include "app/compactdb.h"

#include "app/setdefaults.h"
#include "binding/releasedb.h"
#include "core/apperror.h"
#include "db/compaction.h"

bool CompactDB(const AppSettingsRecord& settings, const QString& source, const QString& target) {
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
