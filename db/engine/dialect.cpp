#include "db/engine/dialect.h"

#include "db/engine/filedialect.h"
#include "db/engine/serveraddress.h"
#include "db/engine/serverdialect.h"

const Dialect& fileDialect() {
    static const FileDialect file;
    return file;
}

const Dialect& serverDialect() {
    static const ServerDialect server;
    return server;
}

const Dialect& dialectOf(const QSqlDatabase& db) {
    return db.driverName() == "QPSQL" ? serverDialect() : fileDialect();
}

const Dialect& dialectAt(const QString& location) {
    return isServerUri(location) ? serverDialect() : fileDialect();
}

const Dialect& dialectOf(const QSqlError& error) {
    return error.driverText().startsWith("QPSQL") ? serverDialect() : fileDialect();
}
