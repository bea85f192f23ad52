#include "db/engine/rowsource.h"

#include "db/engine/dialect.h"

#include <QSqlRecord>

namespace {
QStringList columnNames(const QSqlRecord& record) {
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}
} // namespace

QueryRows::QueryRows(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
    : rows_(dialectOf(db).streamedRows(db, sql, values)) {}

RowSet::RowSet(QStringList columns, std::vector<QVariantList> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

RowSet RowSet::readAll(QSqlQuery& query) {
    const QStringList names = columnNames(query.record());
    std::vector<QVariantList> rows;
    while (query.next()) {
        QVariantList row;
        row.reserve(names.size());
        for (int i = 0; i < names.size(); ++i)
            row << query.value(i);
        rows.push_back(std::move(row));
    }
    return RowSet(names, std::move(rows));
}

int RowSet::columnIndex(const QString& name) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool RowSet::next() {
    if (current_ + 1 >= rowCount())
        return false;
    ++current_;
    return true;
}

QVariant RowSet::value(int column) const {
    if (current_ < 0 || current_ >= rowCount())
        return QVariant();
    return rows_[current_].value(column);
}
