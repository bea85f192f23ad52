#include "db/engine/rowsource.h"

RowSet::RowSet(QStringList columns, std::vector<QVariantList> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

RowSet RowSet::readAll(RowSource& source) {
    const QStringList names = source.columns();
    std::vector<QVariantList> rows;
    while (source.next()) {
        QVariantList row;
        row.reserve(names.size());
        for (int i = 0; i < names.size(); ++i)
            row << source.value(i);
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
