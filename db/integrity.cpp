#include "db/integrity.h"

#include "db/connection.h"
#include "db/enginestatements.h"

#include <QStringList>
#include <atomic>
#include <sqlite3.h>

namespace {
// The first findings say enough; a badly damaged file can yield thousands.
constexpr int kFindingsShown = 3;

std::atomic<bool> giveWayAsked{false};

int giveWayIfAsked(void*) {
    return giveWayAsked.load() ? 1 : 0;
}

} // namespace

void askRunningCheckToGiveWay() {
    giveWayAsked = true;
}

QString damageFound(const QString& path, CheckedFile file) {
    ScopedDatabase database(path);
    readOnceUnmapped(database.db());
    if (file == CheckedFile::InUse) {
        giveWayAsked = false;
        sqlite3_progress_handler(engineHandle(database.db()), 1000, giveWayIfAsked, nullptr);
    }
    QSqlQuery query;
    try {
        query = runQuery(database.db(), "PRAGMA quick_check");
    } catch (const AppError& error) {
        if (file == CheckedFile::InUse && giveWayAsked)
            throw AppError(kCheckGaveWay, "The check of the database gave way to a save.");
        throw;
    }
    QStringList findings;
    while (query.next() && findings.size() < kFindingsShown)
        findings << query.value(0).toString().remove("*** in database main ***").simplified();
    return findings == QStringList{"ok"} ? QString() : findings.join("; ");
}

QString damagedDatabaseText(const QString& path, const QString& finding) {
    return "The database " + path + " is damaged (" + finding +
           ").\r\nWorking on it can lose more data: make a copy of the file now, and go back to "
           "your last good copy of the database or have this one repaired.";
}
