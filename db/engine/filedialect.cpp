#include "db/engine/filedialect.h"

#include <sqlite3.h>

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
