#include "db/upkeep/validation.h"

#include "core/errorlog.h"
#include "db/engine/connection.h"
#include "db/engine/filedialect.h"
#include "db/engine/statements.h"

#include <QCoreApplication>
#include <QFile>
#include <sqlite3.h>

bool ValidDB(const QString& path) {
    try {
        ScopedDatabase database(path);
        Statements(database.db()).stream("select * from po_desc")->next();
        return true;
    } catch (const AppError& error) {
        ErrorLog::write("error (ValidDB) : ", error);
        return false;
    }
}

// Asked of the engine directly, without waiting: its result code tells a lock from a file that is
// not a database, where the program's own error numbers cannot.
bool databaseBusy(const QString& path) {
    sqlite3* handle = nullptr;
    int result = sqlite3_open_v2(QFile::encodeName(path).constData(), &handle, SQLITE_OPEN_READONLY,
                                 nullptr);
    if (result == SQLITE_OK)
        result =
            sqlite3_exec(handle, "select count(*) from sqlite_master", nullptr, nullptr, nullptr);
    sqlite3_close(handle);
    return fileErrorKind(result) == ErrorKind::Busy;
}

QString busyDatabaseText(const QString& path) {
    return QCoreApplication::translate("Database",
                                       "The database %1 is in use by another program, which keeps "
                                       "it locked.\r\nDo you want to try again?")
        .arg(path);
}

bool UpgradeNeeded(const QString& path) {
    try {
        ScopedDatabase database(path);
        Statements(database.db()).stream("select * from po_descs")->next();
        return false;
    } catch (const AppError&) {
        return true;
    }
}
