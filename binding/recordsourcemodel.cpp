#include "binding/recordsourcemodel.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"

#include <QLocale>
#include <algorithm>

RecordSourceModel::RecordSourceModel(QObject* parent) : QAbstractTableModel(parent) {}

void RecordSourceModel::setColumns(const QVector<Column>& columns) {
    beginResetModel();
    requested_ = columns;
    mapColumns();
    endResetModel();
}

void RecordSourceModel::setCurrencyColumns(const QStringList& fields) {
    currencyFields_ = fields;
    if (!rows_.isEmpty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void RecordSourceModel::setEditable(bool editable) {
    editable_ = editable;
}

void RecordSourceModel::setFirstPageSize(int records) {
    firstPageSize_ = std::clamp(records, 1, int(PageSize));
}

void RecordSourceModel::mapColumns() {
    sourceColumns_.clear();
    captions_.clear();
    if (requested_.isEmpty() && records_) {
        for (int i = 0; i < records_->columns().size(); ++i) {
            sourceColumns_ << i;
            captions_ << records_->columns()[i].name;
        }
        return;
    }
    for (const Column& column : requested_) {
        sourceColumns_ << (records_ ? records_->columnIndex(column.field) : -1);
        captions_ << column.caption;
    }
}

bool RecordSourceModel::isCurrencyColumn(int column) const {
    const int source = sourceColumns_[column];
    if (source < 0)
        return false;
    const QString& field = records_->columns()[source].name;
    return currencyFields_.contains(field, Qt::CaseInsensitive);
}

QVariant RecordSourceModel::value(int row, const QString& field) const {
    if (!records_ || row < 0 || row >= rows_.size())
        return {};
    const int column = records_->columnIndex(field);
    return column < 0 ? QVariant() : rows_[row].values[column];
}

qint64 RecordSourceModel::rowId(int row) const {
    return row >= 0 && row < rows_.size() ? rows_[row].key : -1;
}

int RecordSourceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.size();
}

int RecordSourceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : sourceColumns_.size();
}

QVariant RecordSourceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || sourceColumns_[index.column()] < 0)
        return {};
    const QVariant& value = rows_[index.row()].values[sourceColumns_[index.column()]];
    const bool number = value.typeId() == QMetaType::LongLong;
    switch (role) {
    case Qt::DisplayRole:
        if (number && isCurrencyColumn(index.column()))
            return QLocale().toCurrencyString(value.toDouble());
        return value;
    case Qt::EditRole:
        return value;
    case Qt::TextAlignmentRole:
        return number ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    default:
        return {};
    }
}

QVariant RecordSourceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < captions_.size())
        return captions_[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RecordSourceModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (!index.isValid() || !editable_ || !records_ || !records_->isTable())
        return flags;
    const int column = sourceColumns_[index.column()];
    if (column >= 0 && !records_->columns()[column].counter)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool RecordSourceModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    Record& record = rows_[index.row()];
    if (record.key != pendingKey_ && !writeEditedRow())
        return false;
    const int column = sourceColumns_[index.column()];
    if (value.toString() == record.values[column].toString() &&
        value.isNull() == record.values[column].isNull())
        return true;
    pendingKey_ = record.key;
    pending_[column] = value;
    record.values[column] = value;
    emit dataChanged(index, index);
    return true;
}

bool RecordSourceModel::writeEditedRow() {
    if (pending_.isEmpty())
        return true;
    const int row = rowOfKey(pendingKey_);
    try {
        const Record stored = records_->update(pendingKey_, pending_);
        if (row >= 0)
            rows_[row] = stored;
    } catch (const AppError& error) {
        // The grid has no caller to hand the refusal to: the user is told, the row keeps the
        // typed values.
        dialogs().message(error.description());
        return false;
    }
    const qint64 key = pendingKey_;
    dropPendingEdits();
    if (row >= 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    emit recordEdited(key);
    return true;
}

void RecordSourceModel::dropPendingEdits() {
    pendingKey_ = -1;
    pending_.clear();
}

QVector<Record> RecordSourceModel::nextPage(int size) {
    const auto after = rows_.isEmpty() ? std::nullopt : std::optional<qint64>(rows_.last().key);
    QVector<Record> page = records_->page(after, size);
    atEnd_ = page.size() < size;
    return page;
}

bool RecordSourceModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && records_ && !atEnd_;
}

void RecordSourceModel::fetchMore(const QModelIndex& parent) {
    if (!canFetchMore(parent))
        return;
    QVector<Record> page;
    try {
        page = nextPage(PageSize);
    } catch (const AppError& error) {
        // Called by the grid while it lays out: the failure is logged and the grid stops here.
        atEnd_ = true;
        ErrorLog::write("error in (fetchMore) : ", error);
        return;
    }
    if (page.isEmpty())
        return;
    beginInsertRows(QModelIndex(), rows_.size(), rows_.size() + page.size() - 1);
    rows_ += page;
    endInsertRows();
}

void RecordSourceModel::open(RecordSet* records) {
    beginResetModel();
    dropPendingEdits();
    records_ = records;
    rows_.clear();
    atEnd_ = false;
    mapColumns();
    try {
        rows_ = nextPage(firstPageSize_);
    } catch (...) {
        records_ = nullptr;
        atEnd_ = true;
        mapColumns();
        endResetModel();
        throw;
    }
    endResetModel();
}

void RecordSourceModel::close() {
    beginResetModel();
    dropPendingEdits();
    records_ = nullptr;
    rows_.clear();
    atEnd_ = true;
    mapColumns();
    endResetModel();
}

int RecordSourceModel::rowOfKey(qint64 key) const {
    const auto found = std::lower_bound(rows_.begin(), rows_.end(), key,
                                        [](const Record& r, qint64 k) { return r.key < k; });
    return found != rows_.end() && found->key == key ? int(found - rows_.begin()) : -1;
}

int RecordSourceModel::fetchRowOfKey(qint64 key) {
    while (canFetchMore(QModelIndex()) && (rows_.isEmpty() || rows_.last().key < key))
        fetchMore(QModelIndex());
    return rowOfKey(key);
}

void RecordSourceModel::recordStored(const Record& record) {
    const int row = rowOfKey(record.key);
    if (row >= 0) {
        rows_[row] = record;
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
        return;
    }
    // A record that lies beyond the fetched rows comes with a later page.
    const bool beyondLastRow = rows_.isEmpty() || record.key > rows_.last().key;
    if (!atEnd_ || !beyondLastRow)
        return;
    beginInsertRows(QModelIndex(), rows_.size(), rows_.size());
    rows_.append(record);
    endInsertRows();
}

void RecordSourceModel::recordRemoved(qint64 key) {
    const int row = rowOfKey(key);
    if (row < 0)
        return;
    beginRemoveRows(QModelIndex(), row, row);
    rows_.removeAt(row);
    endRemoveRows();
}
