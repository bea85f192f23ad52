#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// One copy of the program per database file. Two copies on one file would share its working
// tables and mix their invoices, so a lock file beside the database names the computer, the
// process and the time of the copy that works on it. A lock left by a copy that ended without
// letting go (a crash, a kill) is taken over.

struct LockHolder {
    qint64 pid = 0;
    QString hostname;
    QDateTime since;
};

// Makes this copy the holder of the database's lock, letting go of the lock it held on another
// file only once the new one is held. Returns the other copy that holds it, or nothing when this
// copy holds it now. A lock file that cannot be written raises AppError.
std::optional<LockHolder> lockDatabase(const QString& databasePath);
// Lets go of the lock this copy holds, if any.
void releaseDatabaseLock();

// What the user is told when another copy holds the database's lock.
QString inUseByAnotherCopyText(const QString& databasePath, const LockHolder& holder);
