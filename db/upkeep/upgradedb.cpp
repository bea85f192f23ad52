#include "db/upkeep/upgradedb.h"

#include "core/errorlog.h"
#include "core/programdir.h"
#include "db/clinic/payments.h"
#include "db/clinic/searchkeys.h"
#include "db/engine/connection.h"
#include "db/engine/dialect.h"
#include "db/engine/serverstatements.h"
#include "db/engine/statements.h"
#include "db/upkeep/indexupkeep.h"
#include "db/upkeep/paymentsupgrade.h"
#include "db/upkeep/schema.h"
#include "db/upkeep/validation.h"

#include <QSqlRecord>

namespace {

bool hasTable(const QSqlDatabase& db, const QString& table) {
    return !Statements(db)
                .rows("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?", {table})
                .isEmpty();
}

QStringList columnsOf(const QSqlDatabase& db, const QString& table) {
    QStringList names;
    for (const Row& row : Statements(db).rows("SELECT name FROM pragma_table_info(?)", {table}))
        names << row.value(0).toString();
    return names;
}

// Returns true when the column had to be added.
bool addColumnIfMissing(const QSqlDatabase& db, const QString& table, const QString& column) {
    if (columnsOf(db, table).contains(column))
        return false;
    const TableDef& def = tableDef(table);
    Statements(db).runOnce("ALTER TABLE " + table + " ADD COLUMN " +
                           columnSql(def, *def.column(column)));
    forgetCatalogRows(db);
    return true;
}

// The engine cannot add a counter column in place: the table is built anew and its rows copied
// in their stored order, which numbers them.
void addLineCounterIfMissing(const QSqlDatabase& db) {
    const QStringList oldColumns = columnsOf(db, "po_desc");
    if (oldColumns.contains("id"))
        return;
    Statements statements(db);
    statements.runOnce("ALTER TABLE po_desc RENAME TO po_desc_old");
    statements.runOnce("DROP INDEX IF EXISTS po_desc_file_p");
    statements.runOnce("DROP INDEX IF EXISTS po_desc_code2");
    for (const QString& statement : createTableStatements(tableDef("po_desc")))
        statements.runOnce(statement);
    const QString columns = oldColumns.join(", ");
    statements.runOnce("INSERT INTO po_desc (" + columns + ") SELECT " + columns +
                       " FROM po_desc_old ORDER BY rowid");
    statements.runOnce("DROP TABLE po_desc_old");
}

void upgradeSchema(const QSqlDatabase& db) {
    // A due amount is reset only where the column is new: an invoice's due amount that exists
    // already is never overwritten.
    if (addColumnIfMissing(db, "pt_sh", "po_netd"))
        Statements(db).write("update pt_sh set po_netd=0");
    addColumnIfMissing(db, "per_inf_data", "mobileno");
    addLineCounterIfMissing(db);
    if (!hasTable(db, "po_descs"))
        for (const QString& statement : createTableStatements(tableDef("po_descs")))
            Statements(db).runOnce(statement);
}

} // namespace

bool convertOlderLayout(const QString& path, const CopyBeforeLayoutChange& copyFirst) {
    if (!fileExists(path) || !UpgradeNeeded(path))
        return false;
    try {
        ScopedDatabase database(path);
        if (hasTable(database.db(), "po_descs"))
            return false; // present but unreadable: nothing to convert
        if (!copyFirst())
            return false;
        inTransaction(database.db(), [&] { upgradeSchema(database.db()); });
        return true;
    } catch (const AppError& error) {
        // The transaction left the file as it was; the user is not told of a success.
        ErrorLog::write("error (UpgradeDB) : ", error);
        return false;
    }
}

namespace {

// Files stored before "temporary" was always written hold it empty; they are not temporary.
// The file is written only when such a file exists, so a read-only database opens as before.
void normaliseTemporaryFlags(const QString& path) {
    try {
        ScopedDatabase database(path);
        QSqlDatabase& db = database.db();
        Statements statements(db);
        if (statements.rows("SELECT 1 FROM per_inf_data WHERE temporary IS NULL LIMIT 1").isEmpty())
            return;
        inTransaction(db, [&] {
            statements.write("UPDATE per_inf_data SET temporary = 0 WHERE temporary IS NULL");
        });
    } catch (const AppError& error) {
        ErrorLog::write("error (UpgradeDB) : ", error);
    }
}

// One step of bringing a database up to date, taken only where it is needed and once copyFirst
// has kept the database as it was. A failure is logged under the upgrade's label, leaves the
// database as it was, and the next steps still run.
void upgradeStep(const QString& location, const CopyBeforeLayoutChange& copyFirst,
                 const std::function<bool(const QSqlDatabase&)>& needed,
                 const std::function<void(QSqlDatabase&)>& take) {
    try {
        ScopedDatabase database(location);
        if (needed(database.db()) && copyFirst())
            take(database.db());
    } catch (const AppError& error) {
        ErrorLog::write("error (UpgradeDB) : ", error);
    }
}

// A database made by an earlier version, on a file or a server, gets the folded names that the
// patient search compares.
void addSearchKeysTo(const QString& location, const CopyBeforeLayoutChange& copyFirst) {
    upgradeStep(
        location, copyFirst, [](const QSqlDatabase& db) { return !hasSearchKeys(db); },
        addSearchKeys);
}

// A server made by an earlier version gets the indexes added since. A file's are kept by the
// index upkeep, which also watches the collator they were sorted by.
void addMissingIndexesTo(const QString& location, const CopyBeforeLayoutChange& copyFirst) {
    upgradeStep(
        location, copyFirst, [](const QSqlDatabase& db) { return !missingIndexes(db).empty(); },
        [](QSqlDatabase& db) {
            inTransaction(db, [&] {
                Statements statements(db);
                for (const AddedIndexDef& index : missingIndexes(db))
                    statements.runOnce(createIndexStatement(index));
            });
        });
}

} // namespace

void bringUpToDate(const QString& location, const CopyBeforeLayoutChange& copyFirst) {
    if (!dialectAt(location).mayHoldOlderLayouts()) {
        addMissingIndexesTo(location, copyFirst);
        addSearchKeysTo(location, copyFirst);
        return;
    }
    if (!fileExists(location))
        return;
    normaliseTemporaryFlags(location);
    upgradeStep(
        location, copyFirst, [](const QSqlDatabase& db) { return !hasPaymentTables(db); },
        [](QSqlDatabase& db) { addPaymentTables(db, true); });
    // On every file, not only one of the older layout: a file made or last opened by an earlier
    // version of the program may lack the added indexes or have its collated ones built by
    // another collator.
    upgradeStep(location, copyFirst, indexesNeedUpkeep,
                [](QSqlDatabase& db) { upkeepIndexes(db, true); });
    addSearchKeysTo(location, copyFirst);
}
