#include "db/engine/recordset.h"

#include "db/engine/dataerrors.h"
#include "db/engine/orderedqueryrecordset.h"
#include "db/engine/queryrecordset.h"
#include "db/engine/tablerecordset.h"

#include <QRegularExpression>

bool isQueryText(const QString& recordSource) {
    static const QRegularExpression select("^\\s*select\\b",
                                           QRegularExpression::CaseInsensitiveOption);
    return select.match(recordSource).hasMatch();
}

QString quotedName(const QString& name) {
    return '"' + QString(name).replace('"', "\"\"") + '"';
}

int RecordSet::columnIndex(const QString& field) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].name.compare(field, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int RecordSet::requireColumn(const QString& field) const {
    const int column = columnIndex(field);
    if (column < 0)
        throw DataErrors::unknownField(field);
    return column;
}

Record RecordSet::insert(const Changes&) {
    throw DataErrors::readOnly();
}

Record RecordSet::update(qint64, const Changes&, const Row&) {
    throw DataErrors::readOnly();
}

void RecordSet::remove(qint64) {
    throw DataErrors::readOnly();
}

QVector<qint64> RecordSet::keysAfter(std::optional<qint64> afterKey, int limit) {
    QVector<qint64> keys;
    for (const Record& record : page(afterKey, limit))
        keys.append(record.key);
    return keys;
}

std::optional<qint64> RecordSet::keyOfFirst(int, const QVariant&) const {
    return std::nullopt;
}

std::optional<Record> RecordSet::firstOf(const QVector<Record>& records) {
    if (records.isEmpty())
        return std::nullopt;
    return records.first();
}

bool RecordSet::equalsNoValueOf(int column, const QVariant& value) const {
    if (!columns_[column].integer || value.typeId() != QMetaType::QString)
        return false;
    bool whole = false;
    value.toString().trimmed().toLongLong(&whole);
    return !whole;
}

std::unique_ptr<RecordSet> openRecordSet(const QSqlDatabase& db,
                                         const RecordSourceDefinition& definition) {
    if (isQueryText(definition.text)) {
        if (auto ordered = OrderedQueryRecordSet::open(db, definition.text, definition.values))
            return ordered;
        return std::make_unique<QueryRecordSet>(db, definition.text, definition.values);
    }
    return std::make_unique<TableRecordSet>(db, definition.text, definition.filterField,
                                            definition.filterValue);
}
