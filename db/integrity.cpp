#include "db/integrity.h"

#include "db/connection.h"

#include <QStringList>

namespace {
// The first findings say enough; a badly damaged file can yield thousands.
constexpr int kFindingsShown = 3;
} // namespace

QString damageFound(const QString& path) {
    ScopedDatabase database(path);
    // The check reads every page of the file once; mapped, they would all count as the program's
    // memory while it runs.
    runQuery(database.db(), "PRAGMA mmap_size = 0");
    QSqlQuery query = runQuery(database.db(), "PRAGMA quick_check");
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
