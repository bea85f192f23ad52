#include "db/engine/tablerecordset.h"

#include "db/engine/dataerrors.h"

#include <algorithm>

namespace {

Record toRecord(const Row& row) {
    return {row.first().toLongLong(), row.mid(1)};
}

// An integer column takes a whole number; an empty text means null.
QVariant wholeNumber(const QVariant& value, const QString& field) {
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::Bool)
        return int(value.toBool());
    const QString text = value.toString().trimmed();
    if (text.isEmpty())
        return {};
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    if (!ok)
        throw DataErrors::notWholeNumber(field);
    return number;
}

} // namespace

TableRecordSet::TableRecordSet(const QSqlDatabase& db, const QString& table,
                               const QString& filterField, const QVariant& filterValue)
    : RecordSet(db), table_(quotedName(table)) {
    readColumns(table);
    key_ = keyColumn();
    QStringList names{key_};
    for (const SourceColumn& column : columns_)
        names << quotedName(column.name);
    selectList_ = names.join(", ");
    if (!filterField.isEmpty()) {
        filter_ = quotedName(columns_[requireColumn(filterField)].name) + " = ?";
        filterValues_ = {filterValue};
    }
}

void TableRecordSet::restart(const RecordSourceDefinition& definition) {
    if (!filter_.isEmpty())
        filterValues_ = {definition.filterValue};
}

// The table's counter identifies its records; a working table of the older layout has none,
// and the file's own row number stands in.
QString TableRecordSet::keyColumn() const {
    for (const SourceColumn& column : columns_)
        if (column.counter)
            return quotedName(column.name);
    return "rowid";
}

void TableRecordSet::readColumns(const QString& table) {
    const QVector<TableColumn> columns = statements_.tableColumns(table);
    if (columns.isEmpty())
        throw DataErrors::unknownTable(table);
    for (const TableColumn& column : columns)
        columns_.append({column.name, column.integer, column.counter});
}

QString TableRecordSet::where(const QString& condition) const {
    QStringList parts;
    if (!filter_.isEmpty())
        parts << filter_;
    if (!condition.isEmpty())
        parts << condition;
    return parts.isEmpty() ? QString() : " WHERE " + parts.join(" AND ");
}

QVariantList TableRecordSet::withFilter(const QVariantList& values) const {
    return filterValues_ + values;
}

QVector<Record> TableRecordSet::select(const QString& condition, const QString& order,
                                       const QVariantList& values) {
    const QString sql = "SELECT " + selectList_ + " FROM " + table_ + where(condition) +
                        " ORDER BY " + key_ + " " + order + " LIMIT ?";
    QVector<Record> records;
    for (const Row& row : statements_.rows(sql, values))
        records.append(toRecord(row));
    return records;
}

std::optional<Record> TableRecordSet::first() {
    return firstOf(select({}, "ASC", withFilter({1})));
}

std::optional<Record> TableRecordSet::last() {
    return firstOf(select({}, "DESC", withFilter({1})));
}

std::optional<Record> TableRecordSet::after(qint64 key) {
    return firstOf(select(key_ + " > ?", "ASC", withFilter({key, 1})));
}

std::optional<Record> TableRecordSet::before(qint64 key) {
    return firstOf(select(key_ + " < ?", "DESC", withFilter({key, 1})));
}

// A known record is read whatever the filter: it is the one the screen is on.
std::optional<Record> TableRecordSet::at(qint64 key) {
    const QString sql = "SELECT " + selectList_ + " FROM " + table_ + " WHERE " + key_ + " = ?";
    const auto rows = statements_.rows(sql, {key});
    if (rows.isEmpty())
        return std::nullopt;
    return toRecord(rows.first());
}

std::optional<Record> TableRecordSet::findFirst(int column, const QVariant& value) {
    if (equalsNoValueOf(column, value))
        return std::nullopt;
    const QString condition = quotedName(columns_[column].name) + " = ?";
    return firstOf(select(condition, "ASC", withFilter({value, 1})));
}

int TableRecordSet::count() {
    const auto rows = statements_.rows("SELECT count(*) FROM " + table_ + where({}), filterValues_);
    return rows.first().first().toInt();
}

QVector<Record> TableRecordSet::page(std::optional<qint64> afterKey, int limit) {
    if (!afterKey)
        return select({}, "ASC", withFilter({limit}));
    return select(key_ + " > ?", "ASC", withFilter({*afterKey, limit}));
}

QVariant TableRecordSet::stored(int column, const QVariant& value) const {
    const SourceColumn& target = columns_[column];
    if (target.integer)
        return wholeNumber(value, target.name);
    return value.isNull() ? QVariant() : QVariant(value.toString());
}

Record TableRecordSet::reread(qint64 key) {
    const auto record = at(key);
    if (!record)
        throw DataErrors::recordDeleted();
    return *record;
}

Record TableRecordSet::insert(const Changes& changes) {
    QStringList names, marks;
    QVariantList values;
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        names << quotedName(columns_[it.key()].name);
        marks << "?";
        values << stored(it.key(), it.value());
    }
    const QString sql = names.isEmpty() ? "INSERT INTO " + table_ + " DEFAULT VALUES"
                                        : "INSERT INTO " + table_ + " (" + names.join(", ") +
                                              ") VALUES (" + marks.join(", ") + ")";
    return reread(statements_.insert(sql, values, key_));
}

Record TableRecordSet::update(qint64 key, const Changes& changes, const Row& readAs) {
    if (changes.isEmpty())
        return reread(key);
    QStringList assignments;
    QVariantList values;
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        assignments << quotedName(columns_[it.key()].name) + " = ?";
        values << stored(it.key(), it.value());
    }
    values << key;
    // Only the fields written are held to what was read: another workstation's change of other
    // fields stays, and nothing it wrote is overwritten unseen.
    QString sql = "UPDATE " + table_ + " SET " + assignments.join(", ") + " WHERE " + key_ + " = ?";
    for (auto it = changes.begin(); it != changes.end(); ++it) {
        if (it.key() >= readAs.size())
            continue;
        const SourceColumn& column = columns_[it.key()];
        sql += " AND " + statements_.holdsExactly(quotedName(column.name), column.integer);
        values << readAs[it.key()];
    }
    if (statements_.write(sql, values) == 0)
        throw changedOrDeleted(key, changes, readAs);
    return reread(key);
}

// The record is not as it was read: gone, or changed at another workstation in a field written.
RecordChanged TableRecordSet::changedOrDeleted(qint64 key, const Changes& changes,
                                               const Row& readAs) {
    const std::optional<Record> now = at(key);
    if (!now)
        throw DataErrors::recordDeleted();
    QStringList differences;
    for (auto it = changes.begin(); it != changes.end(); ++it)
        if (it.key() < readAs.size() && now->values[it.key()] != readAs[it.key()])
            differences << columns_[it.key()].name + ": " + now->values[it.key()].toString();
    return RecordChanged(DataErrors::changedSinceRead(differences), *now);
}

void TableRecordSet::remove(qint64 key) {
    if (statements_.write("DELETE FROM " + table_ + " WHERE " + key_ + " = ?", {key}) == 0)
        throw DataErrors::recordDeleted();
}

QVector<Record> TableRecordSet::pageBefore(std::optional<qint64> beforeKey, int limit) {
    QVector<Record> records = beforeKey
                                  ? select(key_ + " < ?", "DESC", withFilter({*beforeKey, limit}))
                                  : select({}, "DESC", withFilter({limit}));
    std::reverse(records.begin(), records.end());
    return records;
}
