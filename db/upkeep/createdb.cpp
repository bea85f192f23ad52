#include "db/upkeep/createdb.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"
#include "core/filefailure.h"
#include "core/programdir.h"
#include "db/clinic/invoicecounter.h"
#include "db/clinic/payments.h"
#include "db/clinic/searchkeys.h"
#include "db/engine/connection.h"
#include "db/engine/databaselock.h"
#include "db/engine/statements.h"
#include "db/upkeep/copylayout.h"
#include "db/upkeep/indexupkeep.h"
#include "db/upkeep/integrity.h"
#include "db/upkeep/paymentsupgrade.h"
#include "db/upkeep/schema.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>

namespace {

bool userDeletesOldBackup(const QString& backupPath) {
    const QString question = QString("Do you want to Delete the old backup?  هل تريد حذف النسخه "
                                     "الإحتياطيه؟") +
                             " : " + "\r\n" + backupPath;
    return dialogs().message(question, Dialogs::Buttons::YesNo, Dialogs::Icon::Critical) ==
           Dialogs::Answer::Yes;
}

void removeFile(const QString& path) {
    QFile file(path);
    if (!file.remove())
        throw pathAccessError(path);
}

void moveFile(const QString& from, const QString& to) {
    QFile file(from);
    if (!file.rename(to))
        throw pathAccessError(from + " -> " + to);
}

// Whatever an earlier creation that was cut off left at the building name.
void removeLeftovers(const QString& buildPath) {
    for (const QString& path : {buildPath, buildPath + "-journal"})
        if (fileExists(path))
            removeFile(path);
}

// A name beside the backup that no file has yet.
QString asideName(const QString& backupPath) {
    const QString stem =
        backupPath.chopped(4) + "_" + QDateTime::currentDateTime().toString("yyyyMMdd_HHmmss");
    QString name = stem + ".mdb";
    for (int n = 2; fileExists(name); ++n)
        name = stem + "_" + QString::number(n) + ".mdb";
    return name;
}

// True when the file is a database that holds some of the clinic's records.
bool holdsRecords(const QString& path) {
    try {
        ScopedDatabase database(path);
        return !Statements(database.db())
                    .rows("select 1 where exists (select 1 from per_inf_data) or "
                          "exists (select 1 from pt_sh) or exists (select 1 from file_desc)")
                    .isEmpty();
    } catch (const AppError&) {
        return false;
    }
}

// The old backup makes way for the current database. It is deleted only when a database with
// records stands beside it: otherwise it may be the last copy of the clinic's data (a creation
// cut off before the new file was adopted leaves it beside a missing or an empty database), and
// it is kept under a name of its own.
void clearBackupName(const QString& backupPath, const QString& databasePath) {
    if (fileExists(databasePath) && holdsRecords(databasePath))
        removeFile(backupPath);
    else
        moveFile(backupPath, asideName(backupPath));
}

void refuseWhileInUse(const QString& databasePath) {
    if (const auto holder = lockDatabase(databasePath))
        throw fileAccessError(inUseByAnotherCopyText(databasePath, *holder));
}

} // namespace

void buildEmptyDatabaseFile(const QString& path) {
    removeLeftovers(path);
    ScopedDatabase database(path, ScopedDatabase::Mode::CreateFile);
    Statements statements(database.db());
    inTransaction(database.db(), [&] {
        for (const TableDef& table : schemaTables())
            for (const QString& statement : createTableStatements(table))
                statements.runOnce(statement);
        createPaymentTables(database.db());
        for (const QString& statement : createSearchKeyStatements(fileDialect()))
            statements.runOnce(statement);
    });
    // The added indexes and the record of the collator, made as for an existing file.
    upkeepIndexes(database.db(), false);
}

namespace {

template <typename Item, typename Keep> void keepOnly(std::vector<Item>& items, Keep keep) {
    items.erase(std::remove_if(items.begin(), items.end(), [&](const Item& i) { return !keep(i); }),
                items.end());
}

// The older layout as the program built it: the clinic's tables with the columns the layout has,
// and the payments' tables where it has them. The upgrade then brings it up to date.
void buildOlderLayoutFile(const QString& path, const FileLayout& layout) {
    ScopedDatabase database(path, ScopedDatabase::Mode::CreateFile);
    Statements statements(database.db());
    inTransaction(database.db(), [&] {
        for (TableDef table : schemaTables()) {
            if (!layout.contains(table.name))
                continue;
            const QStringList present = layout.value(table.name);
            keepOnly(table.columns, [&](const ColumnDef& column) {
                return present.contains(column.name, Qt::CaseInsensitive);
            });
            keepOnly(table.indexes, [&](const IndexDef& index) {
                return present.contains(index.column, Qt::CaseInsensitive);
            });
            for (const QString& statement : createTableStatements(table))
                statements.runOnce(statement);
        }
        if (layout.contains("payments"))
            createPaymentTables(database.db());
    });
}

} // namespace

void buildDatabaseFileLike(const QString& path, const FileLayout& layout) {
    if (!olderLayout(layout)) {
        buildEmptyDatabaseFile(path);
        return;
    }
    removeLeftovers(path);
    buildOlderLayoutFile(path, layout);
}

// The new file is built complete under a name of its own and only then put in place by renames,
// so that at every moment the previous database stands whole under one of its names.
bool createDatabaseFile(const QString& baseName) {
    const QString databasePath = programDir() + "/" + baseName + ".mdb";
    const QString backupPath = programDir() + "/" + baseName + "_backup.mdb";
    const QString buildPath = databasePath + ".new";

    const bool backupExists = fileExists(backupPath);
    if (backupExists && !userDeletesOldBackup(backupPath))
        return false;

    try {
        refuseWhileInUse(databasePath);
        buildEmptyDatabaseFile(buildPath);
        if (backupExists)
            clearBackupName(backupPath, databasePath);
        if (fileExists(databasePath))
            moveFile(databasePath, backupPath);
        moveFile(buildPath, databasePath);
        return true;
    } catch (const AppError& error) {
        ErrorLog::write("error in (CreateDB) : ", error);
        QFile::remove(buildPath);
        dialogs().message(error.description());
        return false;
    }
}

namespace {

// A file built to the end holds the whole layout and reads back sound; one cut off mid-build
// does not.
bool builtWhole(const QString& path) {
    try {
        return !olderLayout(checkedLayout(path)) && damageFound(path, CheckedFile::Copy).isEmpty();
    } catch (const AppError&) {
        return false;
    }
}

} // namespace

bool finishInterruptedCreation(const QString& baseName) {
    const QString databasePath = programDir() + "/" + baseName + ".mdb";
    const QString buildPath = databasePath + ".new";
    if (!fileExists(buildPath))
        return false;
    // The new file is renamed into place only once the previous one is under the backup name:
    // a whole new file beside no database is a creation cut off between the two renames.
    if (!fileExists(databasePath) && builtWhole(buildPath)) {
        moveFile(buildPath, databasePath);
        return true;
    }
    removeLeftovers(buildPath);
    return false;
}

void createServerTables(const QSqlDatabase& db) {
    Statements statements(db);
    statements.runOnce(createServerCollationStatement());
    for (const TableDef& table : schemaTables())
        for (const QString& statement : createTableStatements(table, serverDialect()))
            statements.runOnce(statement);
    for (const QString& statement : createPaymentTableStatements(serverDialect()))
        statements.runOnce(statement);
    for (const AddedIndexDef& index : addedIndexes())
        statements.runOnce(createIndexStatement(index));
    for (const QString& statement : createSearchKeyStatements(serverDialect()))
        statements.runOnce(statement);
    for (const QString& statement : createInvoiceCounterStatements())
        statements.runOnce(statement);
}

bool holdsClinicTables(const QSqlDatabase& db) {
    return Statements(db).value("SELECT to_regclass('public.per_inf_data') IS NOT NULL").toBool();
}
