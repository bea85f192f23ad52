#include "db/validation.h"

#include "core/errorlog.h"
#include "db/connection.h"

bool ValidDB(const QString& path) {
    try {
        ScopedDatabase database(path);
        runQuery(database.db(), "select * from po_desc");
        return true;
    } catch (const AppError& error) {
        ErrorLog::write("error (ValidDB) : ", error);
        return false;
    }
}

bool UpgradeNeeded(const QString& path) {
    try {
        ScopedDatabase database(path);
        runQuery(database.db(), "select * from po_descs");
        return false;
    } catch (const AppError&) {
        return true;
    }
}
