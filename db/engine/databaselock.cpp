#include "db/engine/databaselock.h"

#include "core/apperror.h"
#include "core/ownerfiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLockFile>
#include <memory>

namespace {

struct HeldLock {
    QString databasePath;
    std::unique_ptr<QLockFile> file;
};

HeldLock& heldLock() {
    static HeldLock lock;
    return lock;
}

// The file itself, whatever name leads to it: two copies that reach it through a link and
// through its own folder take the same lock.
QString resolvedPath(const QString& databasePath) {
    const QFileInfo file(databasePath);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

QString lockPathOf(const QString& databasePath) {
    return resolvedPath(databasePath) + ".lock";
}

std::optional<LockHolder> holderOf(const QLockFile& file, const QString& lockPath) {
    LockHolder holder;
    QString application;
    if (!file.getLockInfo(&holder.pid, &holder.hostname, &application))
        return std::nullopt;
    holder.since = QFileInfo(lockPath).lastModified();
    return holder;
}

// True when this copy holds the lock now. A copy killed while it wrote the lock file leaves it
// naming no holder, which nobody could be asked to close: it is taken over unless that copy still
// runs (the toolkit holds a system lock on the file while it does).
bool take(QLockFile& file, const QString& lockPath) {
    if (file.tryLock())
        return true;
    if (file.error() != QLockFile::LockFailedError || holderOf(file, lockPath))
        return false;
    return file.removeStaleLockFile() && file.tryLock();
}

} // namespace

std::optional<LockHolder> lockDatabase(const QString& databasePath) {
    HeldLock& held = heldLock();
    const QString resolved = resolvedPath(databasePath);
    if (held.file && held.databasePath == resolved)
        return std::nullopt;
    const QString lockPath = lockPathOf(databasePath);
    auto file = std::make_unique<QLockFile>(lockPath);
    // A copy may work on the file for days: only a holder that no longer runs makes a lock stale.
    file->setStaleLockTime(0);
    if (!take(*file, lockPath)) {
        if (file->error() != QLockFile::LockFailedError)
            throw AppError(75, "Path/File access error (" + lockPath + ")");
        // Written this very moment by a copy that is starting up.
        return holderOf(*file, lockPath).value_or(LockHolder{});
    }
    // The toolkit makes the lock under the umask; it names the computer and the process.
    OwnerFiles::restrict(lockPath);
    held.file = std::move(file);
    held.databasePath = resolved;
    return std::nullopt;
}

void releaseDatabaseLock() {
    heldLock() = HeldLock();
}

QString inUseByAnotherCopyText(const QString& databasePath, const LockHolder& holder) {
    const QString since = holder.since.toString("dd/MM/yyyy HH:mm");
    return QCoreApplication::translate(
               "Database",
               "The database %1 is in use by another copy of this program on the computer %2 "
               "since %3 (process %4).\r\nOnly one copy can work on a database at a time: close "
               "the other copy first.")
        .arg(databasePath, holder.hostname, since, QString::number(holder.pid));
}
