#include "db/engine/filedialect.h"

#include "core/ownerfiles.h"
#include "db/engine/arabiccollation.h"
#include "db/engine/enginestatements.h"
#include "db/engine/filerunner.h"
#include "db/engine/plainquery.h"
#include "db/engine/statements.h"
#include "db/upkeep/integrity.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
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

// The file's engine names an INTEGER column that is alone the primary key as the row number.
const char* const kColumns =
    "SELECT name, type LIKE '%INT%', "
    "pk = 1 AND upper(type) = 'INTEGER' AND "
    "(SELECT count(*) FROM pragma_table_info(?) WHERE pk > 0) = 1 FROM pragma_table_info(?)";

} // namespace

ErrorKind fileErrorKind(int resultCode) {
    switch (resultCode) {
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return ErrorKind::Duplicate;
    default:
        break;
    }
    switch (resultCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ErrorKind::Busy;
    case SQLITE_CONSTRAINT:
        return ErrorKind::Refused;
    case SQLITE_READONLY:
        return ErrorKind::ReadOnly;
    case SQLITE_NOTADB:
        return ErrorKind::NotADatabase;
    case SQLITE_CORRUPT:
        return ErrorKind::Damaged;
    default:
        return ErrorKind::Other;
    }
}

AppError fileEngineError(int resultCode, const QString& text) {
    return AppError(resultCode, text, fileErrorKind(resultCode));
}

QSqlDatabase FileDialect::open(const QString& name, const QString& path, bool create) const {
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
        const AppError failure = error(db.lastError());
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        if (made)
            QFile::remove(path);
        throw failure;
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

// A file compacted or restored under the connection leaves it on the old file, which the engine
// then refuses to write; a connection opened anew reaches the file that stands there now.
bool FileDialect::servesOn(const QSqlDatabase& db) const {
    if (!db.isOpen())
        return false;
    int moved = 0;
    sqlite3_file_control(engineHandle(db), "main", SQLITE_FCNTL_HAS_MOVED, &moved);
    return moved == 0;
}

void FileDialect::readOnceUnmapped(const QSqlDatabase& db) const {
    plainQuery(db, "PRAGMA mmap_size = 0", {});
}

QSqlQuery FileDialect::run(const QSqlDatabase& db, const QString& sql,
                           const QVariantList& values) const {
    return plainQuery(db, sql, values);
}

std::unique_ptr<StatementRunner> FileDialect::statementsOn(const QSqlDatabase& db) const {
    return std::make_unique<FileRunner>(db);
}

std::unique_ptr<RowSource> FileDialect::streamedRows(const QSqlDatabase& db, const QString& sql,
                                                     const QVariantList& values) const {
    return std::make_unique<FileRows>(db, sql, values);
}

void FileDialect::begin(QSqlDatabase& db) const {
    if (!db.transaction())
        throw error(db.lastError());
}

void FileDialect::failCommit(QSqlDatabase& db, const AppError& error) const {
    db.rollback();
    throw error;
}

AppError FileDialect::error(const QSqlError& error) const {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    const QString firstLine = text.section('\n', 0, 0).trimmed();
    if (!ok)
        return AppError(ErrorNumber::Unexpected, firstLine);
    return fileEngineError(code, firstLine);
}

QString FileDialect::matchesPattern(const QString& column) const {
    return column + " LIKE ? ESCAPE '!'";
}

QString FileDialect::holdsExactly(const QString& column, bool integer) const {
    return column + (integer ? " IS ?" : " IS ? COLLATE BINARY");
}

QString FileDialect::tableExistsQuery() const {
    return "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ?";
}

QString FileDialect::indexExistsQuery() const {
    return "SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name = ?";
}

QVector<QVector<QVariant>> FileDialect::tableColumns(Statements& statements,
                                                     const QString& table) const {
    return statements.rows(kColumns, {table, table});
}
