#include "db/engine/serverdialect.h"

#include "db/upkeep/schema.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// A server's text starts with its severity and goes on with where in the statement it failed;
// the user is told what failed, and for a refusing constraint what the file would tell.
QString inTheFilesWords(const QString& text) {
    static const QRegularExpression severity("^(ERROR|FATAL|PANIC):\\s+");
    static const QRegularExpression checkRefused("violates check constraint \"([^\"]+)\"");
    const QString firstLine = text.section('\n', 0, 0).remove(severity).trimmed();
    const QRegularExpressionMatch match = checkRefused.match(firstLine);
    if (!match.hasMatch())
        return firstLine;
    const auto message = serverConstraintMessage(match.captured(1));
    return message ? "CHECK constraint failed: " + *message : firstLine;
}

// A server's refusal of a row carries its standard state; the users know the file's numbers.
int inTheFilesNumber(const QString& state, int code) {
    static const QHash<QString, int> fileNumbers{
        {"23514", 275},  // a check
        {"23502", 1299}, // a value that cannot be null
        {"23505", 2067}, // a value that must be unique
        {"P0001", 1811}, // a trigger's refusal
    };
    // A statement that names what is not there, or is not well formed.
    if (state.startsWith("42"))
        return 1;
    return fileNumbers.value(state, code);
}

ErrorKind kindOfState(const QString& state) {
    static const QHash<QString, ErrorKind> kinds{
        {"23505", ErrorKind::Duplicate},      {"P0001", ErrorKind::Refused},
        {"55P03", ErrorKind::Busy},           {"40001", ErrorKind::Busy},
        {"40P01", ErrorKind::Busy},           {"25006", ErrorKind::ReadOnly},
        {"57P01", ErrorKind::ConnectionLost}, {"57P02", ErrorKind::ConnectionLost},
        {"57P03", ErrorKind::ConnectionLost}, {"XX001", ErrorKind::Damaged},
        {"XX002", ErrorKind::Damaged},
    };
    if (kinds.contains(state))
        return kinds.value(state);
    // The classes of a refused row and of a connection that failed.
    if (state.startsWith("23"))
        return ErrorKind::Refused;
    if (state.startsWith("08"))
        return ErrorKind::ConnectionLost;
    return ErrorKind::Other;
}

} // namespace

AppError ServerDialect::error(const QSqlError& error) const {
    bool ok = false;
    int code = error.nativeErrorCode().toInt(&ok);
    if (!ok)
        code = ErrorNumber::Unexpected;
    const QString state = error.nativeErrorCode();
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    return AppError(inTheFilesNumber(state, code), inTheFilesWords(text), kindOfState(state));
}
