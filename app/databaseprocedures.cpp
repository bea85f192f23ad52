#include "app/databaseprocedures.h"

#include "core/dialogs.h"
#include "db/createdb.h"
#include "db/upgradedb.h"
#include "settings/appsettings.h"
#include <QCoreApplication>

bool CreateDB(AppSettingsRecord& settings, const QString& baseName,
              const QString& /*password: SQLite has no built-in one*/) {
    if (!createDatabaseFile(baseName))
        return false;
    resetLetterhead(settings, PromptLetterhead());
    return true;
}

void UpgradeDB(AppSettingsRecord& settings) {
    const QString& path = settings.databaseFilePath;
    if (convertOlderLayout(path)) {
        resetLetterhead(settings, DefaultLetterhead());
        dialogs().message(QCoreApplication::translate(
            "DatabaseProcedures", "The database has been modified successfully"));
    }
    bringUpToDate(settings.databaseLocation());
}
