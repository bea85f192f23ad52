#include "db/engine/dialect.h"

#include "db/engine/filedialect.h"
#include "db/engine/serverdialect.h"

namespace {

const Dialect& dialectOfDriver(const QString& driver) {
    static const FileDialect file;
    static const ServerDialect server;
    if (driver.startsWith("QPSQL"))
        return server;
    return file;
}

} // namespace

const Dialect& dialectOf(const QSqlDatabase& db) {
    return dialectOfDriver(db.driverName());
}

const Dialect& dialectOf(const QSqlError& error) {
    return dialectOfDriver(error.driverText());
}
