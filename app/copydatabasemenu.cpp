#include "app/copydatabasemenu.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"
#include "db/databasecopy.h"
#include "settings/appsettings.h"

namespace {

constexpr auto kTitle = "Copy Database";
constexpr auto kPrompt = "Copy the database to a new file (its full path)\r\nor to a database on a "
                         "PostgreSQL server (postgresql://user@host:5432/database):";

} // namespace

void copyDatabaseElsewhere(const AppSettingsRecord& settings, QWidget* owner) {
    const QString target = dialogs().inputBox(kPrompt, kTitle, QString()).trimmed();
    if (target.isEmpty())
        return;
    const auto progress = dialogs().progress(owner, kTitle);
    try {
        const CopySummary copied =
            copyDatabase(settings.databaseLocation(), target, [&](qint64 done, qint64 total) {
                return progress->advance("Copying the database", int(done), int(total));
            });
        showMessage("The database was copied to " + target + ":\r\n" + copied.text());
    } catch (const AppError& error) {
        if (error.number() == ErrorNumber::DialogCancelled) {
            showMessage("The copy was cancelled: nothing was copied.");
            return;
        }
        ErrorLog::write("error in (CopyDatabase) : ", error);
        showMessage("Copy Database failed!\r\n" + error.description());
    }
}
