#include "app/compactdb.h"

#include "app/setdefaults.h"
#include "binding/releasedb.h"
#include "core/apperror.h"
#include "db/compaction.h"
#include "db/connection.h"
#include "db/serverdatabase.h"

bool CompactDB(const AppSettingsRecord& settings, const QString& source, const QString& target) {
    if (engineAt(source) == Engine::Server) {
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
