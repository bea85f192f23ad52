#include "upkeep/databaseprocedures.h"

#include "core/dialogs.h"
#include "db/upkeep/createdb.h"
#include "db/upkeep/upgradedb.h"
#include "settings/appsettings.h"
#include "upkeep/backups.h"
#include <QCoreApplication>
#include <optional>

bool CreateDB(AppSettingsRecord& settings, const QString& baseName,
              const QString& /*password: SQLite has no built-in one*/) {
    if (!createDatabaseFile(baseName))
        return false;
    resetLetterhead(settings, PromptLetterhead());
    return true;
}

void UpgradeDB(AppSettingsRecord& settings) {
    const QString& path = settings.databaseFilePath;
    // One copy for every change of this run, taken by the first that has to write.
    std::optional<bool> copied;
    const CopyBeforeLayoutChange copyFirst = [&] {
        if (!copied)
            copied = backUpBeforeLayoutChange(settings);
        return *copied;
    };
    if (convertOlderLayout(path, copyFirst)) {
        resetLetterhead(settings, DefaultLetterhead());
        dialogs().message(QCoreApplication::translate(
            "DatabaseProcedures", "The database has been modified successfully"));
    }
    bringUpToDate(settings.databaseLocation(), copyFirst);
}
