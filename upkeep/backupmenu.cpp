#include "upkeep/backupmenu.h"

#include "core/apperror.h"
#include "core/busycursor.h"
#include "core/dialogs.h"
#include "core/ownerfiles.h"
#include "core/programdir.h"
#include "db/upkeep/databasecare.h"
#include "db/upkeep/onlinebackup.h"
#include "settings/appsettings.h"
#include "settings/settingsstore.h"
#include "upkeep/backups.h"
#include "upkeep/restorebackup.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

namespace {

constexpr auto kRestoreTitle = QT_TRANSLATE_NOOP("BackupMenu", "Restore");

QString shownDate(const BackupCopy& copy) {
    return copy.taken.toString("dd/MM/yyyy HH:mm:ss");
}

// Western digits in both languages, as every number the program shows; the unit in the language
// of the screens.
QString shownSize(qint64 bytes) {
    static const char* const units[] = {
        QT_TRANSLATE_NOOP("BackupMenu", "bytes"), QT_TRANSLATE_NOOP("BackupMenu", "kB"),
        QT_TRANSLATE_NOOP("BackupMenu", "MB"), QT_TRANSLATE_NOOP("BackupMenu", "GB"),
        QT_TRANSLATE_NOOP("BackupMenu", "TB")};
    const QString english =
        QLocale(QLocale::English).formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
    const qsizetype space = english.lastIndexOf(' ');
    const QString unit = english.mid(space + 1);
    for (const char* known : units)
        if (unit == QLatin1String(known))
            return english.left(space + 1) + QCoreApplication::translate("BackupMenu", known);
    return english;
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
        row << QCoreApplication::translate("BackupMenu", "cannot be read") << QString();
    }
    const QFileInfo file(copy.path);
    return row << QDir::toNativeSeparators(file.absolutePath()) << file.fileName();
}

// Newest first, but a copy dated after today (left by a clock that ran ahead, or put there by
// someone) comes after the others: the copy offered first is the clinic's latest.
QList<BackupCopy> offeredCopies(const AppSettingsRecord& settings) {
    QList<BackupCopy> copies = allBackupCopies(settings);
    std::stable_partition(copies.begin(), copies.end(),
                          [](const BackupCopy& copy) { return copy.taken.date() <= today(); });
    return copies;
}

std::optional<BackupCopy> chosenCopy(const AppSettingsRecord& settings) {
    QStringList folders = QStringList{backupsFolder(settings)} + earlierBackupsFolders(settings);
    for (QString& folder : folders)
        folder = QDir::toNativeSeparators(folder);
    const QString folder = folders.join(", ");
    const QList<BackupCopy> copies = offeredCopies(settings);
    if (copies.isEmpty()) {
        showMessage(QCoreApplication::translate("BackupMenu", "There are no backups in %1 yet.")
                        .arg(folder));
        return std::nullopt;
    }
    QList<QStringList> rows;
    {
        BusyCursor busy;
        for (const BackupCopy& copy : copies)
            rows << rowOf(copy);
    }
    const auto chosen = dialogs().chooseRow(
        QCoreApplication::translate("BackupMenu", kRestoreTitle),
        QCoreApplication::translate("BackupMenu",
                                    "Choose the backup to put in the place of the current database "
                                    "(backups in %1). The current database is backed up first.")
            .arg(folder),
        {QCoreApplication::translate("BackupMenu", "Taken"),
         QCoreApplication::translate("BackupMenu", "Size"),
         QCoreApplication::translate("BackupMenu", "Patients"),
         QCoreApplication::translate("BackupMenu", "Invoices"),
         QCoreApplication::translate("BackupMenu", "Folder"),
         QCoreApplication::translate("BackupMenu", "File")},
        rows);
    if (!chosen)
        return std::nullopt;
    return copies.value(*chosen);
}

} // namespace

void backUpNow(const AppSettingsRecord& settings) {
    try {
        BusyCursor busy;
        const BackupCopy copy = backUpDatabase(settings, BackupOccasion::Requested);
        showMessage(
            QCoreApplication::translate("BackupMenu", "The database was backed up to %1 (%2).")
                .arg(QDir::toNativeSeparators(copy.path), shownSize(copy.size)));
    } catch (const AppError& error) {
        showFailure(error.description());
    }
}

void restoreFromBackup(AppSettingsRecord& settings) {
    if (keepsOwnBackups(settings.databaseLocation())) {
        showMessage(serverBackupsText(settings));
        return;
    }
    const auto copy = chosenCopy(settings);
    if (!copy)
        return;
    if (dialogs().message(QCoreApplication::translate(
                              "BackupMenu",
                              "Restore the database as it was on %1?\r\nWhat was entered since "
                              "then stays only in the backup that is taken of the current "
                              "database now.")
                              .arg(shownDate(*copy)),
                          Dialogs::Buttons::YesNo, Dialogs::Icon::Question) != Dialogs::Answer::Yes)
        return;
    try {
        BusyCursor busy;
        restoreBackup(settings, copy->path);
    } catch (const AppError& error) {
        showFailure(
            QCoreApplication::translate("BackupMenu", "The database was not restored.\r\n") +
            error.description());
        return;
    }
    showMessage(
        QCoreApplication::translate("BackupMenu", "The database was restored as it was on %1.")
            .arg(shownDate(*copy)));
}

void chooseBackupsFolder(AppSettingsRecord& settings, QWidget* owner) {
    if (keepsOwnBackups(settings.databaseLocation())) {
        showMessage(serverBackupsText(settings));
        return;
    }
    const QString folder =
        PickFolder(owner, QCoreApplication::translate("BackupMenu", "Select Backups Folder"));
    if (folder.isEmpty())
        return;
    if (!OwnerFiles::makeFolder(folder) || !QFileInfo(folder).isWritable()) {
        showFailure(
            QCoreApplication::translate(
                "BackupMenu", "Korvel cannot write to %1. Choose another folder for the backups.")
                .arg(folder));
        return;
    }
    // The copies already taken stay offered for restore and thinned out, in the old folder.
    const QString remembered = rememberedOnMoveTo(settings, folder);
    if (!SaveRegValue(Setting::OldBackupsPaths, remembered) ||
        !SaveRegValue(Setting::BackupsPath, folder)) {
        showFailure(settingNotStoredText());
        return;
    }
    settings.oldbackupspaths = remembered;
    settings.backupspath = folder;
    showMessage(
        QCoreApplication::translate("BackupMenu", "The backups go to %1 from now on.").arg(folder));
}
