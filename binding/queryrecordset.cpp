#include "binding/queryrecordset.h"

namespace {

QString withoutTrailingSemicolons(QString query) {
    query = query.trimmed();
    while (query.endsWith(';'))
        query = query.chopped(1).trimmed();
    return query;
}

} // namespace

QueryRecordSet::QueryRecordSet(const QSqlDatabase& db, const QString& query,
                               const QVariantList& values)
    : RecordSet(db), query_(withoutTrailingSemicolons(query)), values_(values) {
    const QString probe = "SELECT * FROM (" + query_ + ") LIMIT 0";
    for (const QString& name : statements_.columnNames(probe, values_))
        columns_.append({name, false});
}

QVector<Record> QueryRecordSet::rowsFrom(qint64 offset, int limit) {
    QVector<Record> records;
    if (offset < 0)
        return records;
    const QString sql = "SELECT * FROM (" + query_ + ") LIMIT ? OFFSET ?";
    qint64 position = offset;
    for (const Row& row : statements_.rows(sql, values_ + QVariantList{limit, offset}))
        records.append({position++, row});
    return records;
}

std::optional<Record> QueryRecordSet::first() {
    return at(0);
}

std::optional<Record> QueryRecordSet::last() {
    return at(count() - 1);
}

std::optional<Record> QueryRecordSet::after(qint64 key) {
    return at(key + 1);
}

std::optional<Record> QueryRecordSet::before(qint64 key) {
    return at(key - 1);
}

std::optional<Record> QueryRecordSet::at(qint64 key) {
    return firstOf(rowsFrom(key, 1));
}

std::optional<Record> QueryRecordSet::findFirst(int column, const QVariant& value) {
    const QString field = quotedName(columns_[column].name);
    const QString sql = "SELECT korvel_position FROM (SELECT row_number() OVER () - 1 AS "
                        "korvel_position, * FROM (" +
                        query_ + ")) WHERE " + field + " = ? LIMIT 1";
    const auto rows = statements_.rows(sql, values_ + QVariantList{value});
    if (rows.isEmpty())
        return std::nullopt;
    return at(rows.first().first().toLongLong());
}

int QueryRecordSet::count() {
    const auto rows = statements_.rows("SELECT count(*) FROM (" + query_ + ")", values_);
    return rows.first().first().toInt();
}

QVector<Record> QueryRecordSet::page(std::optional<qint64> afterKey, int limit) {
    return rowsFrom(afterKey ? *afterKey + 1 : 0, limit);
}
