#include "db/engine/orderedqueryrecordset.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

// A key holds the order value and the row's place among the rows that share it.
constexpr qint64 kPlaces = qint64(1) << 20;

qint64 keyOf(qint64 value, qint64 place) {
    return value * kPlaces + place;
}

qint64 valueOf(qint64 key) {
    return key >= 0 ? key / kPlaces : -((-key + kPlaces - 1) / kPlaces);
}

qint64 placeOf(qint64 key) {
    return key - valueOf(key) * kPlaces;
}

QString withoutTrailingSemicolons(QString query) {
    query = query.trimmed();
    while (query.endsWith(';'))
        query = query.chopped(1).trimmed();
    return query;
}

} // namespace

std::unique_ptr<RecordSet> OrderedQueryRecordSet::open(const QSqlDatabase& db, const QString& query,
                                                       const QVariantList& values) {
    static const QRegularExpression order(
        "^(.*)\\border\\s+by\\s+([A-Za-z_]\\w*)\\.([A-Za-z_]\\w*)(?:\\s+asc)?$",
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QString text = withoutTrailingSemicolons(query);
    const QRegularExpressionMatch match = order.match(text);
    if (!match.hasMatch())
        return nullptr;
    std::unique_ptr<OrderedQueryRecordSet> records(new OrderedQueryRecordSet(
        db, text, match.captured(1), match.captured(2) + "." + match.captured(3), values));
    // A table's counter is never null and never repeated within its table.
    const auto tableColumns = records->statements_.tableColumns(match.captured(2));
    if (std::none_of(tableColumns.begin(), tableColumns.end(), [&](const TableColumn& column) {
            return column.counter &&
                   column.name.compare(match.captured(3), Qt::CaseInsensitive) == 0;
        }))
        return nullptr;
    for (int i = 0; i < records->columns_.size(); ++i) {
        if (records->columns_[i].name.compare(match.captured(3), Qt::CaseInsensitive) != 0)
            continue;
        // A name that stands twice in the result cannot be told apart from outside the query.
        if (records->orderColumn_ >= 0)
            return nullptr;
        records->orderColumn_ = i;
    }
    if (records->orderColumn_ < 0)
        return nullptr;
    records->columns_[records->orderColumn_].integer = true;
    return records;
}

OrderedQueryRecordSet::OrderedQueryRecordSet(const QSqlDatabase& db, const QString& query,
                                             const QString& unordered, const QString& orderTerm,
                                             const QVariantList& values)
    : RecordSet(db), query_(query), reversed_(unordered + " order by " + orderTerm + " desc"),
      values_(values) {
    const QString probe = "SELECT * FROM (" + query_ + ") AS q LIMIT 0";
    for (const QString& name : statements_.columnNames(probe, values_))
        columns_.append({name, false});
}

QString OrderedQueryRecordSet::orderName() const {
    return quotedName(columns_[orderColumn_].name);
}

void OrderedQueryRecordSet::restart(const RecordSourceDefinition& definition) {
    values_ = definition.values;
}

QVector<Record> OrderedQueryRecordSet::numbered(const QVector<Row>& rows) const {
    QVector<Record> records;
    records.reserve(rows.size());
    qint64 place = 0;
    for (int i = 0; i < rows.size(); ++i) {
        const qint64 value = rows[i][orderColumn_].toLongLong();
        place = i > 0 && rows[i - 1][orderColumn_].toLongLong() == value ? place + 1 : 0;
        records.append({keyOf(value, place), rows[i]});
    }
    return records;
}

QVector<Record> OrderedQueryRecordSet::between(std::optional<qint64> from, std::optional<qint64> to,
                                               std::optional<qint64> limit) {
    QString sql = "SELECT * FROM (" + query_ + ") AS q";
    QVariantList values = values_;
    QStringList conditions;
    if (from) {
        conditions << orderName() + " >= ?";
        values << *from;
    }
    if (to) {
        conditions << orderName() + " <= ?";
        values << *to;
    }
    if (!conditions.isEmpty())
        sql += " WHERE " + conditions.join(" AND ");
    sql += " LIMIT ?";
    values << limit.value_or(Statements::kNoLimit);
    return numbered(statements_.rows(sql, values));
}

std::optional<qint64> OrderedQueryRecordSet::valueRowsBefore(std::optional<qint64> value,
                                                             int rows) {
    QString sql = "SELECT " + orderName() + " FROM (" + reversed_ + ") AS q";
    QVariantList values = values_;
    if (value) {
        sql += " WHERE " + orderName() + " < ?";
        values << *value;
    }
    sql += " LIMIT 1 OFFSET ?";
    values << rows - 1;
    const auto found = statements_.rows(sql, values);
    if (found.isEmpty())
        return std::nullopt;
    return found.first().first().toLongLong();
}

QVector<Record> OrderedQueryRecordSet::page(std::optional<qint64> afterKey, int limit) {
    if (!afterKey)
        return between({}, {}, limit);
    // The run of the key's value is read from its start, for the places within it.
    QVector<Record> records = between(valueOf(*afterKey), {}, placeOf(*afterKey) + 1 + limit);
    const auto after = std::find_if(records.begin(), records.end(),
                                    [&](const Record& r) { return r.key > *afterKey; });
    return records.mid(int(after - records.begin()), limit);
}

// The order values alone, which the engine reads without the other columns' tables where an
// index holds them.
QVector<qint64> OrderedQueryRecordSet::keysAfter(std::optional<qint64> afterKey, int limit) {
    QString sql = "SELECT " + orderName() + " FROM (" + query_ + ") AS q";
    QVariantList values = values_;
    if (afterKey) {
        // The run of the key's value is read from its start, for the places within it.
        sql += " WHERE " + orderName() + " >= ?";
        values << valueOf(*afterKey);
    }
    sql += " LIMIT ?";
    values << (afterKey ? placeOf(*afterKey) + 1 : 0) + limit;
    QVector<qint64> keys;
    qint64 place = 0;
    std::optional<qint64> previous;
    for (const Row& row : statements_.rows(sql, values)) {
        const qint64 value = row.first().toLongLong();
        place = previous == value ? place + 1 : 0;
        previous = value;
        const qint64 key = keyOf(value, place);
        if ((!afterKey || key > *afterKey) && keys.size() < limit)
            keys.append(key);
    }
    return keys;
}

QVector<Record> OrderedQueryRecordSet::pageBefore(std::optional<qint64> beforeKey, int limit) {
    const std::optional<qint64> value =
        beforeKey ? std::optional<qint64>(valueOf(*beforeKey)) : std::nullopt;
    const std::optional<qint64> from = valueRowsBefore(value, limit);
    QVector<Record> records = between(from, value, {});
    if (beforeKey)
        records.erase(std::find_if(records.begin(), records.end(),
                                   [&](const Record& r) { return r.key >= *beforeKey; }),
                      records.end());
    return records.mid(std::max(0, int(records.size()) - limit));
}

std::optional<Record> OrderedQueryRecordSet::first() {
    return firstOf(page(std::nullopt, 1));
}

std::optional<Record> OrderedQueryRecordSet::last() {
    const QVector<Record> records = pageBefore(std::nullopt, 1);
    return records.isEmpty() ? std::nullopt : std::optional<Record>(records.last());
}

std::optional<Record> OrderedQueryRecordSet::after(qint64 key) {
    return firstOf(page(key, 1));
}

std::optional<Record> OrderedQueryRecordSet::before(qint64 key) {
    const QVector<Record> records = pageBefore(key, 1);
    return records.isEmpty() ? std::nullopt : std::optional<Record>(records.last());
}

std::optional<Record> OrderedQueryRecordSet::at(qint64 key) {
    const QString sql =
        "SELECT * FROM (" + query_ + ") AS q WHERE " + orderName() + " = ? LIMIT 1 OFFSET ?";
    const auto rows = statements_.rows(sql, values_ + QVariantList{valueOf(key), placeOf(key)});
    if (rows.isEmpty())
        return std::nullopt;
    return Record{key, rows.first()};
}

// The first row of an order value is the first in its run.
std::optional<qint64> OrderedQueryRecordSet::keyOfFirst(int column, const QVariant& value) const {
    if (column != orderColumn_ || equalsNoValueOf(column, value))
        return std::nullopt;
    return keyOf(value.toString().trimmed().toLongLong(), 0);
}

std::optional<Record> OrderedQueryRecordSet::findFirst(int column, const QVariant& value) {
    if (equalsNoValueOf(column, value))
        return std::nullopt;
    // Read at once, by its key.
    if (const std::optional<qint64> key = keyOfFirst(column, value))
        return at(*key);
    const QString field = quotedName(columns_[column].name);
    const auto found = statements_.rows("SELECT " + orderName() + " FROM (" + query_ +
                                            ") AS q WHERE " + field + " = ? LIMIT 1",
                                        values_ + QVariantList{value});
    if (found.isEmpty())
        return std::nullopt;
    const qint64 order = found.first().first().toLongLong();
    const auto place = statements_.rows(
        "SELECT korvel_place FROM (SELECT row_number() OVER () - 1 AS korvel_place, * FROM (" +
            query_ + ") AS q WHERE " + orderName() + " = ?) AS p WHERE " + field + " = ? LIMIT 1",
        values_ + QVariantList{order, value});
    return at(keyOf(order, place.first().first().toLongLong()));
}

int OrderedQueryRecordSet::count() {
    const auto rows = statements_.rows("SELECT count(*) FROM (" + query_ + ") AS q", values_);
    return rows.first().first().toInt();
}
