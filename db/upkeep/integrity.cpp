#include "db/upkeep/integrity.h"

#include "db/engine/connection.h"
#include "db/engine/enginestatements.h"
#include "db/engine/statements.h"

#include <QCoreApplication>
#include <QStringList>
#include <atomic>
#include <mutex>
#include <sqlite3.h>

namespace {
// The first findings say enough; a badly damaged file can yield thousands.
constexpr int kFindingsShown = 3;

std::atomic<bool> giveWayAsked{false};

// A save that waits, or a stop, interrupts the check's connection, which may be done from any
// thread; the connection is known only while the check runs.
std::mutex runningMutex;
sqlite3* running = nullptr;

class RunningCheck {
  public:
    explicit RunningCheck(sqlite3* handle) {
        const std::lock_guard<std::mutex> lock(runningMutex);
        running = handle;
    }
    ~RunningCheck() {
        const std::lock_guard<std::mutex> lock(runningMutex);
        running = nullptr;
    }
    RunningCheck(const RunningCheck&) = delete;
    RunningCheck& operator=(const RunningCheck&) = delete;
};

QStringList checkFindings(QSqlDatabase& db) {
    const auto rows = Statements(db).stream("PRAGMA quick_check");
    QStringList findings;
    try {
        while (findings.size() < kFindingsShown && rows->next())
            findings << rows->value(0).toString().remove("*** in database main ***").simplified();
    } catch (const AppError&) {
        // A badly damaged file can fail the check after its first findings, which say enough.
        if (findings.isEmpty())
            throw;
    }
    return findings;
}

QString findingsText(const QStringList& findings) {
    return findings == QStringList{"ok"} ? QString() : findings.join("; ");
}

} // namespace

void askRunningCheckToGiveWay() {
    giveWayAsked = true;
    const std::lock_guard<std::mutex> lock(runningMutex);
    if (running)
        sqlite3_interrupt(running);
}

QString damageFound(const QString& path, CheckedFile file) {
    ScopedDatabase database(path);
    readOnceUnmapped(database.db());
    if (file == CheckedFile::Copy)
        return findingsText(checkFindings(database.db()));
    giveWayAsked = false;
    try {
        const RunningCheck registered(engineHandle(database.db()));
        return findingsText(checkFindings(database.db()));
    } catch (const AppError& error) {
        if (giveWayAsked)
            throw AppError(kCheckGaveWay, "The check of the database gave way to a save.",
                           ErrorKind::GaveWay);
        throw;
    }
}

QString damagedDatabaseText(const QString& path, const QString& finding) {
    return QCoreApplication::translate(
               "Database",
               "The database %1 is damaged (%2).\r\nWorking on it can lose more data: make a copy "
               "of the file now, and go back to your last good copy of the database or have this "
               "one repaired.")
        .arg(path, finding);
}

AppError damagedDatabase(const QString& path, const QString& finding) {
    // The engine's own number for a damaged file.
    constexpr int kDatabaseDamaged = 11;
    return AppError(kDatabaseDamaged, damagedDatabaseText(path, finding), ErrorKind::Damaged);
}
