#include "app/serverchoice.h"

#include "app/integritywatch.h"
#include "app/menuerrortrap.h"
#include "app/setdefaults.h"
#include "binding/releasedb.h"
#include "core/dialogs.h"
#include "db/databaselock.h"
#include "db/serverdatabase.h"
#include "settings/appsettings.h"
#include "settings/settingsstore.h"

namespace {

constexpr auto kTitle = "Database Server";

QString askAddress(const QString& current, const QString& emptyMeans) {
    return dialogs()
        .inputBox("Address of the database server, for example "
                  "postgresql://clinic@dbhost:5432/korvel\r\n(" +
                      emptyMeans + "):",
                  kTitle, current)
        .trimmed();
}

// Offers to make the clinic's tables in a reachable database that holds none; true once they are
// there.
bool tablesMadeIn(const QString& uri) {
    if (dialogs().message("The database " + uri +
                              " holds no Korvel tables yet.\r\nDo you want to create them there?",
                          Dialogs::Buttons::YesNo, Dialogs::Icon::Question) != Dialogs::Answer::Yes)
        return false;
    createClinicTablesOn(uri);
    showMessage("The Korvel tables were created in the database " + uri + ".");
    return true;
}

void keep(AppSettingsRecord& settings, const QString& uri) {
    settings.dbserver = uri;
    SaveRegValue(Setting::DbServer, uri);
}

} // namespace

void settleServerDatabase(AppSettingsRecord& settings) {
    for (QString uri = settings.dbserver; !uri.isEmpty();) {
        if (const QString unusable = unusableServerAddress(uri); !unusable.isEmpty()) {
            showMessage(unusable);
        } else {
            const ServerCheck check = checkServerDatabase(uri);
            if (check.state == ServerDatabaseState::Ready ||
                (check.state == ServerDatabaseState::Empty && tablesMadeIn(uri))) {
                keep(settings, uri);
                return;
            }
            if (check.state == ServerDatabaseState::Unreachable &&
                dialogs().message("Korvel cannot reach its database on the server:\r\n" +
                                      check.why + "\r\nDo you want to try again?",
                                  Dialogs::Buttons::YesNo,
                                  Dialogs::Icon::Critical) == Dialogs::Answer::Yes)
                continue;
        }
        uri = askAddress(uri, "leave it empty to work on a database file instead");
    }
    keep(settings, QString());
}

void chooseDatabaseServer(AppSettingsRecord& settings) {
    underMenuErrorTrap("Database Change Cancelled", [&] {
        const QString uri = askAddress(settings.dbserver, "leave it empty to keep the database");
        if (uri.isEmpty() || uri == settings.dbserver)
            return;
        if (const QString unusable = unusableServerAddress(uri); !unusable.isEmpty()) {
            showMessage(unusable);
            return;
        }
        const ServerCheck check = checkServerDatabase(uri);
        if (check.state == ServerDatabaseState::Unreachable) {
            showMessage("Korvel cannot reach the database on the server:\r\n" + check.why);
            return;
        }
        if (check.state == ServerDatabaseState::Empty && !tablesMadeIn(uri))
            return;
        keep(settings, uri);
        stopDatabaseCheck();
        ReleaseDB();
        releaseDatabaseLock();
        SetDefaults(settings);
    });
}
