#include "app/backupmenu.h"

#include "app/backups.h"
#include "app/restorebackup.h"
#include "core/apperror.h"
#include "core/busycursor.h"
#include "core/dialogs.h"
#include "db/onlinebackup.h"
#include "settings/appsettings.h"
#include "settings/settingsstore.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>

namespace {

constexpr auto kRestoreTitle = "Restore";

QString shownDate(const BackupCopy& copy) {
    return copy.taken.toString("dd/MM/yyyy HH:mm:ss");
}

QString shownSize(qint64 bytes) {
    return QLocale(QLocale::English)
        .formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

void showFailure(const QString& text) {
    dialogs().message(text, Dialogs::Buttons::Ok, Dialogs::Icon::Exclamation);
}

QStringList rowOf(const BackupCopy& copy) {
    QStringList row{shownDate(copy), shownSize(copy.size)};
    try {
        const DatabaseCounts counts = countsIn(copy.path);
        row << QString::number(counts.patients) << QString::number(counts.invoices);
    } catch (const AppError&) {
        row << "cannot be read" << QString();
    }
    return row << QFileInfo(copy.path).fileName();
}

std::optional<BackupCopy> chosenCopy(const AppSettingsRecord& settings) {
    const QString folder = backupsFolder(settings);
    const QList<BackupCopy> copies = backupCopies(folder);
    if (copies.isEmpty()) {
        showMessage("There are no backups in " + folder + " yet.");
        return std::nullopt;
    }
    QList<QStringList> rows;
    {
        BusyCursor busy;
        for (const BackupCopy& copy : copies)
            rows << rowOf(copy);
    }
    const auto chosen = dialogs().chooseRow(
        kRestoreTitle,
        "Choose the backup to put in the place of the current database (backups in " + folder +
            "). The current database is backed up first.",
        {"Taken", "Size", "Patients", "Invoices", "File"}, rows);
    if (!chosen)
        return std::nullopt;
    return copies.value(*chosen);
}

} // namespace

void backUpNow(const AppSettingsRecord& settings) {
    try {
        BusyCursor busy;
        const BackupCopy copy = backUpDatabase(settings, BackupOccasion::Requested);
        showMessage("The database was backed up to " + QDir::toNativeSeparators(copy.path) + " (" +
                    shownSize(copy.size) + ").");
    } catch (const AppError& error) {
        showFailure(error.description());
    }
}

void restoreFromBackup(AppSettingsRecord& settings) {
    if (settings.onServer()) {
        showMessage(serverBackupsText(settings));
        return;
    }
    const auto copy = chosenCopy(settings);
    if (!copy)
        return;
    if (dialogs().message("Restore the database as it was on " + shownDate(*copy) +
                              "?\r\nWhat was entered since then stays only in the backup that is "
                              "taken of the current database now.",
                          Dialogs::Buttons::YesNo, Dialogs::Icon::Question) != Dialogs::Answer::Yes)
        return;
    try {
        BusyCursor busy;
        restoreBackup(settings, copy->path);
    } catch (const AppError& error) {
        showFailure("The database was not restored.\r\n" + error.description());
        return;
    }
    showMessage("The database was restored as it was on " + shownDate(*copy) + ".");
}

void chooseBackupsFolder(AppSettingsRecord& settings, QWidget* owner) {
    if (settings.onServer()) {
        showMessage(serverBackupsText(settings));
        return;
    }
    const QString folder = PickFolder(owner, "Select Backups Folder");
    if (folder.isEmpty())
        return;
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) {
        showFailure("Korvel cannot write to " + folder +
                    ". Choose another folder for the backups.");
        return;
    }
    SaveRegValue(Setting::BackupsPath, folder);
    settings.backupspath = folder;
    showMessage("The backups go to " + folder + " from now on.");
}
