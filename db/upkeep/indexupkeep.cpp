#include "db/upkeep/indexupkeep.h"

#include "core/dialogs.h"
#include "db/engine/connection.h"
#include "db/engine/dialect.h"
#include "db/engine/enginestatements.h"
#include "db/engine/statements.h"
#include "db/upkeep/schema.h"

#include <QCoreApplication>
#include <sqlite3.h>

namespace {

constexpr auto kStepText = QT_TRANSLATE_NOOP("Database", "Updating the indexes of the database");

QString recordedVersion(const QSqlDatabase& db) {
    if (!Statements(db).value(dialectOf(db).tableExistsQuery(), {"collation_version"}).toBool())
        return QString();
    return Statements(db)
        .value("SELECT version FROM collation_version WHERE collation = 'ARABIC'")
        .toString();
}

void recordVersion(const QSqlDatabase& db) {
    Statements statements(db);
    statements.runOnce("CREATE TABLE IF NOT EXISTS collation_version "
                       "(collation TEXT PRIMARY KEY, version TEXT NOT NULL)");
    statements.write("INSERT OR REPLACE INTO collation_version (collation, version) VALUES "
                     "('ARABIC', ?)",
                     {arabicCollationVersion()});
}

// The statements still to run, in order: a rebuild first, so that new indexes are built once.
QStringList pendingStatements(const QSqlDatabase& db) {
    QStringList statements;
    if (recordedVersion(db) != arabicCollationVersion())
        statements << "REINDEX ARABIC";
    for (const AddedIndexDef& index : missingIndexes(db))
        statements << createIndexStatement(index);
    return statements;
}

// Called by the engine every so many steps of a statement, so that the window stays alive
// through the sorting of millions of rows and can stop it.
struct Watch {
    Progress* progress;
    int done = 0;
    int total = 0;
    bool cancelled = false;
};

int watchStep(void* context) {
    auto* watch = static_cast<Watch*>(context);
    watch->cancelled = !watch->progress->advance(QCoreApplication::translate("Database", kStepText),
                                                 watch->done, watch->total);
    return watch->cancelled ? 1 : 0;
}

class WatchedHandle {
  public:
    WatchedHandle(const QSqlDatabase& db, Watch& watch) : handle_(engineHandle(db)) {
        if (watch.progress)
            sqlite3_progress_handler(handle_, 100000, watchStep, &watch);
    }
    ~WatchedHandle() { sqlite3_progress_handler(handle_, 0, nullptr, nullptr); }
    WatchedHandle(const WatchedHandle&) = delete;
    WatchedHandle& operator=(const WatchedHandle&) = delete;

  private:
    sqlite3* handle_;
};

} // namespace

std::vector<AddedIndexDef> missingIndexes(const QSqlDatabase& db) {
    std::vector<AddedIndexDef> missing;
    Statements statements(db);
    for (const AddedIndexDef& index : addedIndexes())
        if (!statements.value(dialectOf(db).indexExistsQuery(), {index.name}).toBool())
            missing.push_back(index);
    return missing;
}

bool indexesNeedUpkeep(const QSqlDatabase& db) {
    return !pendingStatements(db).isEmpty();
}

bool upkeepIndexes(QSqlDatabase& db, bool showProgress) {
    const QStringList statements = pendingStatements(db);
    if (statements.isEmpty())
        return true;
    const auto progress =
        showProgress ? dialogs().progress(nullptr, QCoreApplication::applicationName()) : nullptr;
    Watch watch{progress.get(), 0, int(statements.size())};
    try {
        const WatchedHandle watched(db, watch);
        inTransaction(db, [&] {
            Statements run(db);
            for (const QString& statement : statements) {
                run.runOnce(statement);
                ++watch.done;
            }
            recordVersion(db);
        });
    } catch (const AppError&) {
        if (watch.cancelled)
            return false;
        throw;
    }
    return true;
}
