#include "upkeep/copydatabasemenu.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"
#include "db/upkeep/databasecopy.h"
#include "settings/appsettings.h"
#include <QCoreApplication>

namespace {

constexpr auto kTitle = QT_TRANSLATE_NOOP("CopyDatabaseMenu", "Copy Database");
constexpr auto kPrompt = QT_TRANSLATE_NOOP(
    "CopyDatabaseMenu", "Copy the database to a new file (its full path)\r\nor to a database on a "
                        "PostgreSQL server (postgresql://user@host:5432/database):");

} // namespace

void copyDatabaseElsewhere(const AppSettingsRecord& settings, QWidget* owner) {
    const QString title = QCoreApplication::translate("CopyDatabaseMenu", kTitle);
    const QString target =
        dialogs()
            .inputBox(QCoreApplication::translate("CopyDatabaseMenu", kPrompt), title, QString())
            .trimmed();
    if (target.isEmpty())
        return;
    const auto progress = dialogs().progress(owner, title);
    try {
        const CopySummary copied =
            copyDatabase(settings.databaseLocation(), target, [&](qint64 done, qint64 total) {
                return progress->advance(
                    QCoreApplication::translate("CopyDatabaseMenu", "Copying the database"),
                    int(done), int(total));
            });
        showMessage(
            QCoreApplication::translate("CopyDatabaseMenu", "The database was copied to %1:\r\n")
                .arg(target) +
            copied.text());
    } catch (const AppError& error) {
        if (error.number() == ErrorNumber::DialogCancelled) {
            showMessage(QCoreApplication::translate("CopyDatabaseMenu",
                                                    "The copy was cancelled: nothing was copied."));
            return;
        }
        ErrorLog::write("error in (CopyDatabase) : ", error);
        showMessage(QCoreApplication::translate("CopyDatabaseMenu", "Copy Database failed!\r\n") +
                    error.description());
    }
}
