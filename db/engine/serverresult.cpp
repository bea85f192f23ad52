#include "db/engine/serverresult.h"

#include "db/engine/serverstatements.h"

#include <QSqlRecord>
#include <QSqlResult>
#include <cstdlib>
#include <postgresql/libpq-fe.h>

namespace {

// The server's numbers of the column types read here without the driver.
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
constexpr Oid kText = 25;
constexpr Oid kPaddedText = 1042;
constexpr Oid kVaryingText = 1043;

enum class Reading { WholeNumber, Text, ThroughDriver };

Reading readingOf(Oid type) {
    switch (type) {
    case kInt2:
    case kInt4:
    case kInt8:
        return Reading::WholeNumber;
    case kText:
    case kPaddedText:
    case kVaryingText:
        return Reading::Text;
    default:
        return Reading::ThroughDriver;
    }
}

const PGresult* clientResult(const QSqlQuery& query) {
    // The driver's handle holds the client library's result, its type named by the structure
    // behind the library's name for it.
    const QVariant handle = query.result() ? query.result()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "pg_result*") != 0)
        return nullptr;
    return *static_cast<PGresult* const*>(handle.constData());
}

QVariant valueAt(const PGresult* result, int column, Reading reading, const QSqlQuery& query) {
    if (reading == Reading::ThroughDriver)
        return serverValue(query, column);
    const int row = query.at();
    if (PQgetisnull(result, row, column))
        return QVariant(QMetaType::fromType<QString>());
    const char* text = PQgetvalue(result, row, column);
    if (reading == Reading::WholeNumber)
        return qlonglong(std::strtoll(text, nullptr, 10));
    return QString::fromUtf8(text, PQgetlength(result, row, column));
}

QVector<Row> rowsThroughDriver(QSqlQuery& query) {
    const int columns = query.record().count();
    QVector<Row> rows;
    while (query.next()) {
        Row row(columns);
        for (int i = 0; i < columns; ++i)
            row[i] = serverValue(query, i);
        rows.append(std::move(row));
    }
    return rows;
}

} // namespace

QVector<Row> serverResultRows(QSqlQuery& query) {
    const PGresult* result = clientResult(query);
    if (!result)
        return rowsThroughDriver(query);
    const int columns = PQnfields(result);
    QVector<Reading> readings(columns);
    for (int i = 0; i < columns; ++i)
        readings[i] = readingOf(PQftype(result, i));
    QVector<Row> rows;
    rows.reserve(PQntuples(result));
    // The driver keeps its place in the rows for the values it reads itself.
    while (query.next()) {
        Row row(columns);
        for (int i = 0; i < columns; ++i)
            row[i] = valueAt(result, i, readings[i], query);
        rows.append(std::move(row));
    }
    return rows;
}
