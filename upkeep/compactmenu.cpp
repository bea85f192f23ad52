#include "upkeep/compactmenu.h"

#include "core/apperror.h"
#include "core/busycursor.h"
#include "core/dialogs.h"
#include "core/errorlog.h"
#include "screens/releasedb.h"
#include "settings/appsettings.h"
#include "upkeep/backups.h"
#include "upkeep/compactdb.h"
#include <QCoreApplication>

namespace {

// A compaction rewrites the whole file: without its copy the user decides whether it goes on.
bool backedUpOrGoingOnWithout(const AppSettingsRecord& settings) {
    std::optional<QString> failure;
    {
        BusyCursor busy;
        failure = backUpBeforeCompaction(settings);
    }
    return !failure ||
           dialogs().message(*failure + "\r\n" +
                                 QCoreApplication::translate(
                                     "CompactMenu", "Compact the database without this backup?"),
                             Dialogs::Buttons::YesNo,
                             Dialogs::Icon::Exclamation) == Dialogs::Answer::Yes;
}

// Compacts the database; returns why it failed, logged, or nothing when it succeeded.
std::optional<QString> compactionFailure(const AppSettingsRecord& settings) {
    BusyCursor busy;
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
    if (!backedUpOrGoingOnWithout(settings))
        return;
    const std::optional<QString> failure = compactionFailure(settings);
    showMessage(
        failure
            ? QCoreApplication::translate("CompactMenu", "Compact Database failed!\r\n") + *failure
            : QCoreApplication::translate("CompactMenu", "Database was compacted successfully"));
}
