#include "db/engine/queryrecordset.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

QString withoutTrailingSemicolons(QString query) {
    query = query.trimmed();
    while (query.endsWith(';'))
        query = query.chopped(1).trimmed();
    return query;
}

// The column that a query is ordered by, when it is ordered by exactly one column, ascending.
QString ascendingOrderColumn(const QString& query) {
    static const QRegularExpression order(
        "\\border\\s+by\\s+(?:[A-Za-z_]\\w*\\.)?([A-Za-z_]\\w*)(?:\\s+asc)?$",
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = order.match(query);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

QueryRecordSet::QueryRecordSet(const QSqlDatabase& db, const QString& query,
                               const QVariantList& values)
    : RecordSet(db), query_(withoutTrailingSemicolons(query)), values_(values) {
    const QString probe = "SELECT * FROM (" + query_ + ") AS q LIMIT 0";
    for (const QString& name : statements_.columnNames(probe, values_))
        columns_.append({name, false});
    const QString order = ascendingOrderColumn(query_);
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_[i].name.compare(order, Qt::CaseInsensitive) != 0)
            continue;
        // A name that stands twice in the result cannot be told apart from outside the query.
        const bool twice = orderColumn_ >= 0;
        orderColumn_ = i;
        if (twice) {
            orderColumn_ = -1;
            break;
        }
    }
}

void QueryRecordSet::restart(const RecordSourceDefinition& definition) {
    values_ = definition.values;
    bookmarks_.clear();
}

namespace {

std::optional<qint64> wholeNumber(const QVariant& value) {
    if (value.typeId() != QMetaType::LongLong)
        return std::nullopt;
    return value.toLongLong();
}

} // namespace

void QueryRecordSet::remember(qint64 offset, const QVector<Row>& rows, int orderAt) {
    if (orderColumn_ < 0 || rows.isEmpty())
        return;
    const auto last = wholeNumber(rows.last()[orderAt]);
    if (!last)
        return;
    qint64 ties = 0;
    for (auto it = rows.rbegin(); it != rows.rend() && wholeNumber((*it)[orderAt]) == last; ++it)
        ++ties;
    if (ties == rows.size()) {
        // The whole page shares one value: the rows before it count only if they are known.
        const auto before = bookmarks_.find(offset - 1);
        if (before == bookmarks_.end() || before->second.value != *last)
            return;
        ties += before->second.ties;
    }
    bookmarks_[offset + rows.size() - 1] = {*last, ties};
}

QVector<Row> QueryRecordSet::read(qint64 offset, int limit, Reading reading) {
    if (offset < 0)
        return {};
    const QString orderName =
        orderColumn_ < 0 ? QString() : quotedName(columns_[orderColumn_].name);
    const QString shown = reading == Reading::WholeRows ? QString("*")
                          : orderColumn_ < 0            ? QString("1")
                                                        : orderName;
    QString sql = "SELECT " + shown + " FROM (" + query_ + ") AS q";
    QVariantList values = values_;
    qint64 skipped = offset;
    // Rows from the nearest known row before the wanted one on: the order value finds them
    // through the index instead of counting every row from the start.
    const auto after = bookmarks_.lower_bound(offset);
    if (after != bookmarks_.begin()) {
        const auto& [position, mark] = *std::prev(after);
        sql += " WHERE " + orderName + " >= ?";
        values << mark.value;
        skipped = offset - (position - mark.ties + 1);
    }
    sql += " LIMIT ? OFFSET ?";
    const QVector<Row> rows = statements_.rows(sql, values + QVariantList{limit, skipped});
    remember(offset, rows, reading == Reading::WholeRows ? orderColumn_ : 0);
    return rows;
}

QVector<Record> QueryRecordSet::rowsFrom(qint64 offset, int limit) {
    QVector<Record> records;
    qint64 position = offset;
    for (const Row& row : read(offset, limit, Reading::WholeRows))
        records.append({position++, row});
    return records;
}

// Counting needs no more of a row than its order value, for the pages after it.
QVector<qint64> QueryRecordSet::keysAfter(std::optional<qint64> afterKey, int limit) {
    const qint64 offset = afterKey ? *afterKey + 1 : 0;
    const qint64 rows = read(offset, limit, Reading::OrderValues).size();
    QVector<qint64> keys;
    for (qint64 position = offset; position < offset + rows; ++position)
        keys.append(position);
    return keys;
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
                        query_ + ") AS q) AS p WHERE " + field + " = ? LIMIT 1";
    const auto rows = statements_.rows(sql, values_ + QVariantList{value});
    if (rows.isEmpty())
        return std::nullopt;
    return at(rows.first().first().toLongLong());
}

int QueryRecordSet::count() {
    const auto rows = statements_.rows("SELECT count(*) FROM (" + query_ + ") AS q", values_);
    return rows.first().first().toInt();
}

QVector<Record> QueryRecordSet::page(std::optional<qint64> afterKey, int limit) {
    return rowsFrom(afterKey ? *afterKey + 1 : 0, limit);
}

QVector<Record> QueryRecordSet::pageBefore(std::optional<qint64> beforeKey, int limit) {
    const qint64 end = beforeKey ? *beforeKey : count();
    const qint64 start = std::max<qint64>(0, end - limit);
    return rowsFrom(start, int(end - start));
}
