#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

struct AppSettingsRecord;

// The program's own copies of the database, in the backups folder: one at the first start of
// each day, one before every compaction, upgrade and restore, and one whenever the user asks.
// Older copies are thinned out (see backuprotation.h). Each copy is checked after it is written
// and logged with its size and the check's result in backups.log in the folder. Copies are plain
// database files, not compressed: any of them can be checked, counted and put back as it is.

enum class BackupOccasion {
    FirstStartOfDay,
    Requested,
    BeforeCompaction,
    BeforeUpgrade,
    BeforeRestore
};

struct BackupCopy {
    QString path;
    QDateTime taken;
    qint64 size = 0;
};

// The folder chosen in the settings, else "backups" in the database's directory.
QString backupsFolder(const AppSettingsRecord& settings);
// The program's copies in the folder, newest first.
QList<BackupCopy> backupCopies(const QString& folder);
// The folders the backups went to before, as remembered in the settings: only those that are
// folders now, each once, the current folder left out.
QStringList earlierBackupsFolders(const AppSettingsRecord& settings);
// What the settings are to remember once the backups go to `folder` instead.
QString rememberedOnMoveTo(const AppSettingsRecord& settings, const QString& folder);
// The copies of the current folder and of the earlier ones together, newest first.
QList<BackupCopy> allBackupCopies(const AppSettingsRecord& settings);

// A database on a server is backed up by the server's tools; what the user is told of it.
QString serverBackupsText(const AppSettingsRecord& settings);

// On a server, the copies below are not taken: the first raises AppError with the text above, the
// others do nothing.

// Copies the current database into the backups folder, then thins out the older copies. A
// failure raises AppError with a text that tells the user plainly what went wrong; no copy is
// left then.
BackupCopy backUpDatabase(const AppSettingsRecord& settings, BackupOccasion occasion);
// The same for a copy that the work after it does not wait for: a failure is logged, and told
// the user only the first time in a run. True when the copy was made.
bool backUpWithoutStopping(const AppSettingsRecord& settings, BackupOccasion occasion);
// Before a compaction, which the user may not want without its copy: a failure is logged, and
// what the user is to be told of it is given back; nothing when the copy was made, or when the
// database itself cannot be read (the compaction refuses it then, saying why).
std::optional<QString> backUpBeforeCompaction(const AppSettingsRecord& settings);
// Before a change of the current database file's layout: a verified copy, waited for. False when
// none could be made (told the user once in a run); the change is then not to be made.
bool backUpBeforeLayoutChange(const AppSettingsRecord& settings);
// At start-up, beside the running program: a copy when the folder holds none of today.
void backUpOnFirstStartOfDay(const AppSettingsRecord& settings);
// Waits for the copy being made beside the running program, if any, and tells its failure.
void waitForBackgroundBackup();
