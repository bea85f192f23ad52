#include "db/upkeep/onlinebackup.h"

#include "core/apperror.h"
#include "core/filefailure.h"
#include "db/engine/connection.h"
#include "db/engine/enginestatements.h"
#include "db/engine/filedialect.h"
#include "db/engine/statements.h"
#include "db/upkeep/databasecopy.h"
#include "db/upkeep/filereplace.h"
#include "db/upkeep/integrity.h"

#include <QFile>
#include <sqlite3.h>

namespace {

// Pages copied under one read lock: small enough that a save waiting for the lock does not
// notice, large enough that a big file is copied at disk speed.
constexpr int kPagesPerStep = 1024;
// A step that finds the file busy (another program writing) is tried again this often before
// the copy gives up.
constexpr int kBusyRetries = 50;
constexpr int kRestartsInSteps = 3;

AppError engineError(sqlite3* handle, int code) {
    return fileEngineError(code, QString::fromUtf8(sqlite3_errmsg(handle)));
}

// A write to the source through another connection (a save of the program) makes the engine
// start the copy again, so the copy that completes is of one moment. Saves coming faster than
// the copy can finish would start it again and again: after a few such starts the rest is copied
// in one step, under one read lock, which a save then waits for.
void copyPages(sqlite3* from, sqlite3* to) {
    sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        throw engineError(to, sqlite3_errcode(to));
    int code = SQLITE_OK;
    bool busy = false;
    int busyTimes = 0;
    int restarts = 0;
    int remaining = -1;
    do {
        code = sqlite3_backup_step(backup, restarts < kRestartsInSteps ? kPagesPerStep : -1);
        busy = fileErrorKind(code) == ErrorKind::Busy;
        if (busy) {
            sqlite3_sleep(100);
            ++busyTimes;
        }
        if (remaining >= 0 && sqlite3_backup_remaining(backup) > remaining)
            ++restarts;
        remaining = sqlite3_backup_remaining(backup);
    } while ((code == SQLITE_OK || busy) && busyTimes < kBusyRetries);
    sqlite3_backup_finish(backup);
    if (code != SQLITE_DONE)
        throw fileEngineError(code, QString::fromUtf8(sqlite3_errstr(code)));
}

void copyInto(const QString& source, const QString& partial) {
    ScopedDatabase from(source);
    readOnceUnmapped(from.db());
    ScopedDatabase to(partial, ScopedDatabase::Mode::CreateFile);
    copyPages(engineHandle(from.db()), engineHandle(to.db()));
}

void renameFile(const QString& from, const QString& to) {
    QFile::remove(to);
    if (!QFile::rename(from, to))
        throw pathAccessError(from + " -> " + to);
}

// What a copy cut off by a kill, or by a failure, leaves: the file and its journal.
void removePartial(const QString& partial) {
    QFile::remove(partial);
    QFile::remove(partial + "-journal");
}

qint64 rowCount(const QSqlDatabase& db, const QString& table) {
    return Statements(db).value("select count(*) from " + table).toLongLong();
}

} // namespace

QString writeDatabaseCopy(const QString& source, const QString& target) {
    // The copy gets its name only once it is whole and checked: a file under a backup's name is
    // always a sound one.
    const QString partial = target + ".partial";
    removePartial(partial);
    try {
        copyInto(source, partial);
        const QString finding = damageFound(partial, CheckedFile::Copy);
        if (!finding.isEmpty()) {
            removePartial(partial);
            return finding;
        }
        renameFile(partial, target);
    } catch (const AppError&) {
        removePartial(partial);
        throw;
    }
    return QString();
}

bool failedOnTheDatabase(const AppError& error) {
    return error.kind() == ErrorKind::Damaged || error.kind() == ErrorKind::NotADatabase;
}

void restoreDatabaseFile(const QString& copy, const QString& databasePath) {
    const QString incoming = databasePath + ".restoring";
    QFile::remove(incoming);
    copyBackup(copy, incoming);
    try {
        replaceWithCopy(databasePath, incoming);
    } catch (const AppError&) {
        QFile::remove(incoming);
        throw;
    }
}

DatabaseCounts countsIn(const QString& path) {
    ScopedDatabase database(path);
    return {rowCount(database.db(), "per_inf_data"), rowCount(database.db(), "pt_sh")};
}
