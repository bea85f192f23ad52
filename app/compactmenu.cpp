#include "app/compactmenu.h"

#include "binding/compaction.h"
#include "core/apperror.h"
#include "core/dialogs.h"
#include "settings/appsettings.h"

#include <QApplication>

namespace {

struct BusyCursor {
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

bool compacted() {
    const AppSettingsRecord& settings = AppSettings();
    BusyCursor busy;
    try {
        return CompactDB(settings.databaseFilePath, settings.dbpath + "/test.mdb");
    } catch (const std::exception&) {
        // The user is told that it failed; the engine's details add nothing they can act on.
        return false;
    }
}

} // namespace

void compactDatabase() {
    showMessage(compacted() ? "Database was compacted successfully" : "Compact Database failed!");
}
