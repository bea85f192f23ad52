#include "db/engine/serverdialect.h"

#include "db/engine/plainquery.h"
#include "db/engine/serveraddress.h"
#include "db/engine/serverconnection.h"
#include "db/engine/serverrunner.h"
#include "db/engine/serversession.h"
#include "db/engine/serverstatements.h"
#include "db/engine/statements.h"
#include "db/upkeep/schema.h"

#include <QCoreApplication>
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

const char* const kColumns =
    "SELECT attname, format_type(atttypid, NULL) IN ('integer', 'bigint', 'smallint'), "
    "attidentity <> '' FROM pg_attribute WHERE attrelid = to_regclass(?) AND "
    "attnum > 0 AND NOT attisdropped ORDER BY attnum";

} // namespace

QSqlDatabase ServerDialect::open(const QString& name, const QString& location, bool) const {
    const auto address = parseServerUri(location);
    if (!address)
        throw AppError(
            3044, QCoreApplication::translate("Database", "'%1' is not a valid server address.")
                      .arg(location));
    return openServerConnection(name, *address);
}

bool ServerDialect::servesOn(const QSqlDatabase& db) const {
    reachClosedSession(db);
    return true;
}

void ServerDialect::prepareShared(const QSqlDatabase& db) const {
    useOwnWorkingTables(db);
}

// A statement with values is prepared once for the connection's life: each later run is one
// round trip.
QSqlQuery ServerDialect::run(const QSqlDatabase& db, const QString& sql,
                             const QVariantList& values) const {
    if (!values.isEmpty()) {
        // The copy shares the prepared statement's result; callers read it before the same
        // statement runs again, as with any query handed back.
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        return runServerStatement(db, sql, values);
        QT_WARNING_POP
    }
    return onLiveSession(db, [&] { return plainQuery(db, sql, values); });
}

std::unique_ptr<StatementRunner> ServerDialect::statementsOn(const QSqlDatabase& db) const {
    return std::make_unique<ServerRunner>(db);
}

std::unique_ptr<RowSource> ServerDialect::streamedRows(const QSqlDatabase& db, const QString& sql,
                                                       const QVariantList& values) const {
    return std::make_unique<ServerRows>(db, sql, values);
}

void ServerDialect::begin(QSqlDatabase& db) const {
    onLiveSession(db, [&] {
        if (!db.transaction())
            throw error(db.lastError());
    });
    noteTransaction(db, true);
}

void ServerDialect::failCommit(QSqlDatabase& db, const AppError& error) const {
    if (sessionLost(db)) {
        renewSession(db);
        throw lostWithSession(error);
    }
    db.rollback();
    throw error;
}

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

QString ServerDialect::matchesPattern(const QString& column) const {
    // The Arabic collation, whose equality ignores case, cannot match patterns: the plain one
    // does, ignoring the case of Latin letters as the file's LIKE does.
    return "(" + column + " COLLATE \"C\") ILIKE ? ESCAPE '!'";
}

QString ServerDialect::holdsExactly(const QString& column, bool integer) const {
    return (integer ? column : "(" + column + " COLLATE \"C\")") + " IS NOT DISTINCT FROM ?";
}

// The shared tables only: a connection's working tables hide them under the same names.
QString ServerDialect::tableExistsQuery() const {
    return "SELECT count(*) FROM pg_tables WHERE schemaname = 'public' AND tablename = ?";
}

QString ServerDialect::indexExistsQuery() const {
    return "SELECT count(*) FROM pg_indexes WHERE schemaname = 'public' AND indexname = ?";
}

// A server's round trip is kept to once a table for the connection.
QVector<QVector<QVariant>> ServerDialect::tableColumns(Statements& statements,
                                                       const QString& table) const {
    return keptCatalogRows(statements.database(), table,
                           [&] { return statements.rows(kColumns, {table}); });
}

// Readers go on; another desk's write waits until this transaction is committed.
QString ServerDialect::lockAgainstWriters(const QString& table) const {
    return "LOCK TABLE " + table + " IN SHARE ROW EXCLUSIVE MODE";
}
