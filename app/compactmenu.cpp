#include "app/compactmenu.h"

#include "app/backups.h"
#include "app/compactdb.h"
#include "binding/releasedb.h"
#include "core/apperror.h"
#include "core/busycursor.h"
#include "core/dialogs.h"
#include "core/errorlog.h"
#include "settings/appsettings.h"
#include <QCoreApplication>

namespace {

// Compacts the database; returns why it failed, logged, or nothing when it succeeded.
std::optional<QString> compactionFailure(const AppSettingsRecord& settings) {
    BusyCursor busy;
    backUpWithoutStopping(settings, BackupOccasion::BeforeCompaction);
    try {
        CompactDB(settings, settings.databaseLocation(), settings.dbpath + "/test.mdb");
        return std::nullopt;
    } catch (const AppError& error) {
        ErrorLog::write("error in (CompactDB) : ", error);
        return error.description();
    } catch (const std::exception& error) {
        ErrorLog::write("error in (CompactDB) : ", ErrorNumber::Unexpected, error.what());
        return QString::fromUtf8(error.what());
    }
}

} // namespace

void compactDatabase(const AppSettingsRecord& settings) {
    const std::optional<QString> failure = compactionFailure(settings);
    showMessage(
        failure
            ? QCoreApplication::translate("CompactMenu", "Compact Database failed!\r\n") + *failure
            : QCoreApplication::translate("CompactMenu", "Database was compacted successfully"));
}
