#include "db/engine/connection.h"

#include "core/ownerfiles.h"
#include "db/engine/arabiccollation.h"
#include "db/engine/dialect.h"
#include "db/engine/enginestatements.h"
#include "db/engine/serverconnection.h"
#include "db/engine/serversession.h"
#include "db/engine/serverstatements.h"
#include "db/upkeep/integrity.h"
#include "db/upkeep/schema.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QUrl>
#include <QUuid>
#include <sqlite3.h>

namespace {

// The engine's defaults (a page cache of 2 MB, no memory map) suit small devices; a clinic's file
// of twenty years holds hundreds of megabytes that are read far more than written. The map is
// kept to the file's first 64 MB: every mapped page read stays in the program's resident memory,
// and a list scrolled end to end would otherwise hold most of the file.
void sizeEngineMemory(sqlite3* handle) {
    sqlite3_exec(handle, "PRAGMA mmap_size = 67108864; PRAGMA cache_size = -16384", nullptr,
                 nullptr, nullptr);
}

// Another program's lock is waited for up to two seconds; the program's own integrity check is
// asked to give way at once.
int waitForLock(void*, int attempts) {
    askRunningCheckToGiveWay();
    if (attempts >= 200)
        return 0;
    sqlite3_sleep(10);
    return 1;
}

void removeConnection(const QString& name) {
    finalizeStatements(name);
    dropServerQueries(name);
    QSqlDatabase::database(name, false).close();
    QSqlDatabase::removeDatabase(name);
}

QString sharedName(const QString& location) {
    return "korvel:" + (isServerUri(location) ? location : QFileInfo(location).absoluteFilePath());
}

QSqlDatabase openFileConnection(const QString& name, const QString& path, bool create) {
    if (!create && !QFileInfo(path).isFile())
        throw AppError(
            3024, QCoreApplication::translate("Database", "Could not find file '%1'.").arg(path));
    // The engine makes a new file under the umask; one that stands there keeps its mode.
    const bool made = create && OwnerFiles::makeEmpty(path);
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
    // A URI with mode=rw keeps the engine from making an empty file where the user named none.
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
        (create ? "?mode=rwc" : "?mode=rw");
    db.setConnectOptions("QSQLITE_OPEN_URI");
    db.setDatabaseName(uri);
    if (!db.open()) {
        const AppError error = databaseError(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        if (made)
            QFile::remove(path);
        throw error;
    }
    sqlite3* handle = engineHandle(db);
    sqlite3_busy_handler(handle, waitForLock, nullptr);
    registerArabicCollation(handle);
    sizeEngineMemory(handle);
    // Without it the engine plans a kept statement anew whenever a searched-for text changes,
    // though the plan of a contains-search never depends on the text.
    sqlite3_db_config(handle, SQLITE_DBCONFIG_ENABLE_QPSG, 1, nullptr);
    return db;
}

QSqlDatabase openConnection(const QString& name, const QString& location, bool create) {
    if (!isServerUri(location))
        return openFileConnection(name, location, create);
    const auto address = parseServerUri(location);
    if (!address)
        throw AppError(
            3044, QCoreApplication::translate("Database", "'%1' is not a valid server address.")
                      .arg(location));
    return openServerConnection(name, *address);
}

// A file compacted or restored under the connection leaves it on the old file, which the engine
// then refuses to write; a connection opened anew reaches the file that stands there now.
bool replacedSinceOpened(const QSqlDatabase& db) {
    if (onServer(db))
        return false;
    int moved = 0;
    sqlite3_file_control(engineHandle(db), "main", SQLITE_FCNTL_HAS_MOVED, &moved);
    return moved != 0;
}

} // namespace

QSqlDatabase openDatabase(const QString& location) {
    const QString name = sharedName(location);
    if (QSqlDatabase::contains(name)) {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        // A server's session lost or not reached the last time is opened anew in place, as the
        // screens hold the connection.
        if (onServer(db)) {
            reachClosedSession(db);
            return db;
        }
        if (db.isOpen() && !replacedSinceOpened(db))
            return db;
        db = QSqlDatabase();
        removeConnection(name);
    }
    QSqlDatabase db = openConnection(name, location, false);
    if (onServer(db))
        useOwnWorkingTables(db);
    return db;
}

bool onServer(const QSqlDatabase& db) {
    return db.driverName() == "QPSQL";
}

Engine engineAt(const QString& location) {
    return isServerUri(location) ? Engine::Server : Engine::File;
}

void closeDatabase(const QString& path) {
    const QString name = sharedName(path);
    if (QSqlDatabase::contains(name))
        removeConnection(name);
}

void closeAllDatabases() {
    for (const QString& name : QSqlDatabase::connectionNames()) {
        if (name.startsWith("korvel:"))
            removeConnection(name);
    }
}

ScopedDatabase::ScopedDatabase(const QString& location, Mode mode)
    : name_("korvel-once:" + QUuid::createUuid().toString()),
      db_(openConnection(name_, location, mode == Mode::CreateFile)) {}

ScopedDatabase::~ScopedDatabase() {
    db_ = QSqlDatabase();
    removeConnection(name_);
}

void readOnceUnmapped(const QSqlDatabase& db) {
    if (!onServer(db))
        runQuery(db, "PRAGMA mmap_size = 0");
}

AppError databaseError(const QSqlError& error) {
    return dialectOf(error).error(error);
}

namespace {

QSqlQuery execute(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // A server prepares no statement that defines tables or sets the transaction.
    if (values.isEmpty()) {
        if (!query.exec(sql))
            throw databaseError(query.lastError());
        return query;
    }
    if (!query.prepare(sql))
        throw databaseError(query.lastError());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw databaseError(query.lastError());
    return query;
}

} // namespace

// On a server a statement with values is prepared once for the connection's life: each later run
// is one round trip.
QSqlQuery runQuery(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    if (!onServer(db))
        return execute(db, sql, values);
    if (!values.isEmpty()) {
        // The copy shares the prepared statement's result; callers read it before the same
        // statement runs again, as with any query handed back.
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        return runServerStatement(db, sql, values);
        QT_WARNING_POP
    }
    return onLiveSession(db, [&] { return execute(db, sql, values); });
}

void beginTransaction(QSqlDatabase& db) {
    const auto begin = [&] {
        if (!db.transaction())
            throw databaseError(db.lastError());
    };
    if (!onServer(db))
        return begin();
    onLiveSession(db, begin);
    noteTransaction(db, true);
}

void commitTransaction(QSqlDatabase& db) {
    const bool committed = db.commit();
    noteTransaction(db, false);
    if (committed)
        return;
    const AppError error = databaseError(db.lastError());
    if (onServer(db) && sessionLost(db)) {
        renewSession(db);
        throw lostWithSession(error);
    }
    db.rollback();
    throw error;
}

void rollBackTransaction(QSqlDatabase& db) {
    db.rollback();
    noteTransaction(db, false);
}
