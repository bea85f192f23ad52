#include "upkeep/backups.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"
#include "core/ownerfiles.h"
#include "core/programdir.h"
#include "db/upkeep/databasecare.h"
#include "db/upkeep/integrity.h"
#include "db/upkeep/onlinebackup.h"
#include "db/upkeep/upgradedb.h"
#include "settings/appsettings.h"
#include "upkeep/backuprotation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTextStream>
#include <QThread>
#include <algorithm>
#include <memory>
#include <optional>

namespace {

constexpr auto kLogLabel = "error (Backup) : ";
constexpr auto kNameFormat = "yyyy-MM-dd_HHmmss";

// korvel_data_2026-12-08_064633.mdb, with _2, _3 ... for a second copy within the same second.
const QRegularExpression& copyName() {
    static const QRegularExpression name(
        R"(^korvel_data_(\d{4}-\d{2}-\d{2}_\d{6})(?:_\d+)?\.mdb$)");
    return name;
}

QString occasionText(BackupOccasion occasion) {
    switch (occasion) {
    case BackupOccasion::FirstStartOfDay:
        return "first start of the day";
    case BackupOccasion::Requested:
        return "backed up on request";
    case BackupOccasion::BeforeCompaction:
        return "before compaction";
    case BackupOccasion::BeforeUpgrade:
        return "before upgrade";
    case BackupOccasion::BeforeRestore:
        return "before restore";
    }
    return QString();
}

// The log stays with the copies it speaks of; a line that cannot be written is lost.
void logLine(const QString& folder, const QString& text) {
    QFile log(QDir(folder).filePath("backups.log"));
    if (!OwnerFiles::open(log, QIODevice::Append | QIODevice::Text))
        return;
    QTextStream(&log) << QDateTime(today(), QTime::currentTime()).toString("dd/MM/yyyy HH:mm:ss")
                      << "  " << text << "\n";
}

QString freeName(const QString& folder, const QDateTime& taken) {
    const QString stem = "korvel_data_" + taken.toString(kNameFormat);
    QString name = stem + ".mdb";
    for (int n = 2; QFile::exists(QDir(folder).filePath(name)); ++n)
        name = stem + "_" + QString::number(n) + ".mdb";
    return QDir(folder).filePath(name);
}

void makeFolder(const QString& folder) {
    if (!OwnerFiles::makeFolder(folder))
        throw AppError(
            75, QCoreApplication::translate("Backups", "The backups folder %1 cannot be made.")
                    .arg(folder));
}

// One folder reached through a link or a second name is still one folder.
QString sameFolderKey(const QString& folder) {
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

void thinOut(const QString& folder) {
    const QList<BackupCopy> copies = backupCopies(folder);
    QList<QDateTime> taken;
    for (const BackupCopy& copy : copies)
        taken << copy.taken;
    const QList<int> kept = copiesToKeep(taken, today());
    for (int i = 0; i < copies.size(); ++i) {
        if (!kept.contains(i) && QFile::remove(copies[i].path))
            logLine(folder, "deleted " + QFileInfo(copies[i].path).fileName() + " (older copy)");
    }
}

// Runs on any thread: it reads no settings and shows nothing. The earlier folders are thinned
// by the same rule, each on its own.
BackupCopy takeCopy(const QString& database, const QString& folder, const QStringList& earlier,
                    BackupOccasion occasion) {
    makeFolder(folder);
    const QDateTime taken(today(), QTime::currentTime());
    const QString target = freeName(folder, taken);
    const QString finding = writeDatabaseCopy(database, target);
    const QString name = QFileInfo(target).fileName();
    if (!finding.isEmpty()) {
        logLine(folder, name + "  " + occasionText(occasion) + "  not kept, check: " + finding);
        throw damagedDatabase(database, finding);
    }
    const BackupCopy copy{target, taken, QFileInfo(target).size()};
    logLine(folder, name + "  " + occasionText(occasion) + "  " + QString::number(copy.size) +
                        " bytes  check: ok");
    // The copy about to be restored must still be there: the next copy thins out instead.
    if (occasion != BackupOccasion::BeforeRestore) {
        thinOut(folder);
        for (const QString& other : earlier)
            thinOut(other);
    }
    return copy;
}

bool hasCopyOf(const QString& folder, const QDate& day) {
    for (const BackupCopy& copy : backupCopies(folder)) {
        if (copy.taken.date() == day)
            return true;
    }
    return false;
}

QString backupFailureText(const QString& folder, const AppError& error) {
    return QCoreApplication::translate("Backups", "The database could not be backed up to %1.")
               .arg(folder) +
           "\r\n" + error.description() + "\r\n" +
           QCoreApplication::translate(
               "Backups", "Your work goes on as usual. Check that the folder is there, can be "
                          "written and has room, or choose another one with Settings > Backups "
                          "Folder.");
}

// A copy that fails every time must not nag: the user hears of a folder's failure once a run,
// the log of every one. A database that cannot be read is told by the check of the file and by
// the work that follows.
void tellFailure(const QString& folder, const AppError& error) {
    static QSet<QString> told;
    ErrorLog::write(kLogLabel, error);
    if (told.contains(folder) || failedOnTheDatabase(error))
        return;
    told.insert(folder);
    dialogs().message(backupFailureText(folder, error), Dialogs::Buttons::Ok,
                      Dialogs::Icon::Exclamation);
}

struct Background {
    QThread* thread = nullptr;
    QString folder;
    std::shared_ptr<std::optional<AppError>> failure;
};

std::unique_ptr<Background> running;

} // namespace

QString backupsFolder(const AppSettingsRecord& settings) {
    if (!settings.backupspath.isEmpty())
        return settings.backupspath;
    return QDir(settings.dbpath).filePath("backups");
}

QList<BackupCopy> backupCopies(const QString& folder) {
    QList<BackupCopy> copies;
    const QFileInfoList files =
        QDir(folder).entryInfoList({"korvel_data_*.mdb"}, QDir::Files, QDir::Name | QDir::Reversed);
    for (const QFileInfo& file : files) {
        const auto match = copyName().match(file.fileName());
        if (match.hasMatch())
            copies.append({file.absoluteFilePath(),
                           QDateTime::fromString(match.captured(1), kNameFormat), file.size()});
    }
    std::stable_sort(copies.begin(), copies.end(),
                     [](const BackupCopy& a, const BackupCopy& b) { return a.taken > b.taken; });
    return copies;
}

QStringList earlierBackupsFolders(const AppSettingsRecord& settings) {
    QStringList folders;
    QSet<QString> seen{sameFolderKey(backupsFolder(settings))};
    for (const QString& folder : settings.oldbackupspaths.split('\n', Qt::SkipEmptyParts)) {
        // A hand-edited settings file may name anything: only folders that are there count.
        const QFileInfo info(folder);
        if (!info.isAbsolute() || !info.isDir() || seen.contains(sameFolderKey(folder)))
            continue;
        seen.insert(sameFolderKey(folder));
        folders << folder;
    }
    return folders;
}

QString rememberedOnMoveTo(const AppSettingsRecord& settings, const QString& folder) {
    AppSettingsRecord moved = settings;
    moved.backupspath = folder;
    moved.oldbackupspaths =
        (QStringList{backupsFolder(settings)} + earlierBackupsFolders(settings)).join('\n');
    return earlierBackupsFolders(moved).join('\n');
}

QList<BackupCopy> allBackupCopies(const AppSettingsRecord& settings) {
    QList<BackupCopy> copies = backupCopies(backupsFolder(settings));
    for (const QString& folder : earlierBackupsFolders(settings))
        copies += backupCopies(folder);
    std::stable_sort(copies.begin(), copies.end(),
                     [](const BackupCopy& a, const BackupCopy& b) { return a.taken > b.taken; });
    return copies;
}

QString serverBackupsText(const AppSettingsRecord& settings) {
    return QCoreApplication::translate("Backups",
                                       "The database is on the server %1: it is backed up by the "
                                       "server's own tools (pg_dump, or the server's backups), "
                                       "not by Korvel.")
        .arg(settings.dbserver);
}

BackupCopy backUpDatabase(const AppSettingsRecord& settings, BackupOccasion occasion) {
    if (keepsOwnBackups(settings.databaseLocation()))
        throw AppError(ErrorNumber::Unexpected, serverBackupsText(settings));
    waitForBackgroundBackup();
    const QString folder = backupsFolder(settings);
    try {
        return takeCopy(settings.databaseFilePath, folder, earlierBackupsFolders(settings),
                        occasion);
    } catch (const AppError& error) {
        throw AppError(error.number(), backupFailureText(folder, error), error.kind());
    }
}

bool backUpWithoutStopping(const AppSettingsRecord& settings, BackupOccasion occasion) {
    if (keepsOwnBackups(settings.databaseLocation()))
        return false;
    waitForBackgroundBackup();
    const QString folder = backupsFolder(settings);
    try {
        takeCopy(settings.databaseFilePath, folder, earlierBackupsFolders(settings), occasion);
        return true;
    } catch (const AppError& error) {
        tellFailure(folder, error);
        return false;
    }
}

std::optional<QString> backUpBeforeCompaction(const AppSettingsRecord& settings) {
    if (keepsOwnBackups(settings.databaseLocation()))
        return std::nullopt;
    waitForBackgroundBackup();
    const QString folder = backupsFolder(settings);
    try {
        takeCopy(settings.databaseFilePath, folder, earlierBackupsFolders(settings),
                 BackupOccasion::BeforeCompaction);
        return std::nullopt;
    } catch (const AppError& error) {
        ErrorLog::write(kLogLabel, error);
        if (failedOnTheDatabase(error))
            return std::nullopt;
        return backupFailureText(folder, error);
    }
}

// A server's database is backed up by the server's own tools, not copied here.
bool backUpBeforeLayoutChange(const AppSettingsRecord& settings) {
    return keepsOwnBackups(settings.databaseLocation()) ||
           backUpWithoutStopping(settings, BackupOccasion::BeforeUpgrade);
}

void backUpOnFirstStartOfDay(const AppSettingsRecord& settings) {
    if (keepsOwnBackups(settings.databaseLocation()))
        return;
    waitForBackgroundBackup();
    const QString database = settings.databaseFilePath;
    const QString folder = backupsFolder(settings);
    const QStringList earlier = earlierBackupsFolders(settings);
    const QDate day = today();
    auto failure = std::make_shared<std::optional<AppError>>();
    QThread* thread = QThread::create([database, folder, earlier, day, failure] {
        try {
            if (!hasCopyOf(folder, day))
                takeCopy(database, folder, earlier, BackupOccasion::FirstStartOfDay);
        } catch (const AppError& error) {
            *failure = error;
        }
    });
    running = std::make_unique<Background>(Background{thread, folder, failure});
    QCoreApplication* app = QCoreApplication::instance();
    QObject::connect(thread, &QThread::finished, app, waitForBackgroundBackup);
    QObject::connect(app, &QCoreApplication::aboutToQuit, thread, [thread] { thread->wait(); });
    thread->start(QThread::LowPriority);
}

void waitForBackgroundBackup() {
    if (!running)
        return;
    const std::unique_ptr<Background> finished = std::move(running);
    finished->thread->wait();
    finished->thread->deleteLater();
    if (*finished->failure)
        tellFailure(finished->folder, **finished->failure);
}
