#include "upkeep/serverchoice.h"

#include "app/menuerrortrap.h"
#include "app/setdefaults.h"
#include "core/dialogs.h"
#include "db/engine/databaselock.h"
#include "db/engine/serverdatabase.h"
#include "db/upkeep/upgradedb.h"
#include "screens/releasedb.h"
#include "settings/appsettings.h"
#include "settings/settingsstore.h"
#include "upkeep/backups.h"
#include "upkeep/integritywatch.h"
#include <QCoreApplication>

namespace {

constexpr auto kTitle = QT_TRANSLATE_NOOP("ServerChoice", "Database Server");

QString askAddress(const QString& current, const QString& emptyMeans) {
    return dialogs()
        .inputBox(QCoreApplication::translate("ServerChoice",
                                              "Address of the database server, for example "
                                              "postgresql://clinic@dbhost:5432/korvel\r\n(%1):")
                      .arg(emptyMeans),
                  QCoreApplication::translate("ServerChoice", kTitle), current)
        .trimmed();
}

// Offers to make the clinic's tables in a reachable database that holds none; true once they are
// there.
bool tablesMadeIn(const QString& uri) {
    if (dialogs().message(QCoreApplication::translate("ServerChoice",
                                                      "The database %1 holds no Korvel tables "
                                                      "yet.\r\nDo you want to create them there?")
                              .arg(uri),
                          Dialogs::Buttons::YesNo, Dialogs::Icon::Question) != Dialogs::Answer::Yes)
        return false;
    createClinicTablesOn(uri);
    showMessage(QCoreApplication::translate("ServerChoice",
                                            "The Korvel tables were created in the database %1.")
                    .arg(uri));
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
                dialogs().message(QCoreApplication::translate(
                                      "ServerChoice", "Korvel cannot reach its database on the "
                                                      "server:\r\n%1\r\nDo you want to try again?")
                                      .arg(check.why),
                                  Dialogs::Buttons::YesNo,
                                  Dialogs::Icon::Critical) == Dialogs::Answer::Yes)
                continue;
        }
        uri = askAddress(
            uri, QCoreApplication::translate("ServerChoice",
                                             "leave it empty to work on a database file instead"));
    }
    keep(settings, QString());
}

void chooseDatabaseServer(AppSettingsRecord& settings) {
    underMenuErrorTrap(
        QCoreApplication::translate("DatabaseMenu", "Database Change Cancelled"), [&] {
            const QString uri = askAddress(
                settings.dbserver,
                QCoreApplication::translate("ServerChoice", "leave it empty to keep the database"));
            if (uri.isEmpty() || uri == settings.dbserver)
                return;
            if (const QString unusable = unusableServerAddress(uri); !unusable.isEmpty()) {
                showMessage(unusable);
                return;
            }
            const ServerCheck check = checkServerDatabase(uri);
            if (check.state == ServerDatabaseState::Unreachable) {
                showMessage(
                    QCoreApplication::translate(
                        "ServerChoice", "Korvel cannot reach the database on the server:\r\n") +
                    check.why);
                return;
            }
            if (check.state == ServerDatabaseState::Empty && !tablesMadeIn(uri))
                return;
            keep(settings, uri);
            bringUpToDate(uri, [&] { return backUpBeforeLayoutChange(settings); });
            stopDatabaseCheck();
            ReleaseDB();
            releaseDatabaseLock();
            SetDefaults(settings);
        });
}
