#include "binding/recordsourcemodel.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"

#include <QLocale>
#include <algorithm>

namespace {

// Rows read next to a record that the grid is to show: a few screenfuls.
constexpr int kNearRows = 128;

} // namespace

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

QVector<RecordSourceModel::Column> RecordSourceModel::shownColumns() const {
    if (!requested_.isEmpty() || !records_)
        return requested_;
    QVector<Column> columns;
    for (const SourceColumn& column : records_->columns())
        columns.append({column.name, column.name});
    return columns;
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
    // A row's place in the rows kept is not its place in the list: the row selector shows none.
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return QString();
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
    if (pending_.isEmpty())
        readAs_ = record.values;
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
        const auto write = [this] { return records_->update(pendingKey_, pending_, readAs_); };
        const Record stored = rowWriter_ ? rowWriter_(rowEdit(), write) : write();
        if (row >= 0)
            rows_[row] = stored;
    } catch (const RecordChanged& changed) {
        // Shown what the record now holds, the user may write the typed values over it.
        readAs_ = changed.now().values;
        dialogs().message(changed.description());
        return false;
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

RecordSourceModel::RowEdit RecordSourceModel::rowEdit() const {
    RowEdit edit;
    const QVector<SourceColumn>& columns = records_->columns();
    if (const std::optional<Record> stored = records_->at(pendingKey_))
        for (int i = 0; i < columns.size() && i < stored->values.size(); ++i)
            edit.stored[columns[i].name] = stored->values[i];
    for (auto typed = pending_.cbegin(); typed != pending_.cend(); ++typed)
        edit.typed[columns[typed.key()].name] = typed.value();
    return edit;
}

void RecordSourceModel::dropPendingEdits() {
    pendingKey_ = -1;
    pending_.clear();
    readAs_.clear();
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
    if (canFetchMore(parent))
        fetchAfter(PageSize);
}

void RecordSourceModel::fetchAfter(int size) {
    QVector<Record> page;
    try {
        page = nextPage(size);
    } catch (const AppError& error) {
        // Called by the grid while it lays out: the failure is logged and the grid stops here.
        atEnd_ = true;
        ErrorLog::write("error in (fetchMore) : ", error);
        return;
    }
    if (page.isEmpty())
        return;
    withPendingEdits(page);
    beginInsertRows(QModelIndex(), rows_.size(), rows_.size() + page.size() - 1);
    rows_ += page;
    endInsertRows();
    letGoOfTop();
}

void RecordSourceModel::fetchEarlier() {
    if (canFetchEarlier() && !rows_.isEmpty())
        fetchBefore(PageSize);
}

void RecordSourceModel::fetchBefore(int size) {
    QVector<Record> page;
    try {
        page = records_->pageBefore(rows_.first().key, size);
    } catch (const AppError& error) {
        atStart_ = true;
        ErrorLog::write("error in (fetchEarlier) : ", error);
        return;
    }
    atStart_ = page.size() < size;
    if (page.isEmpty())
        return;
    withPendingEdits(page);
    shifting_ = true;
    beginInsertRows(QModelIndex(), 0, page.size() - 1);
    rows_ = page + rows_;
    endInsertRows();
    shifting_ = false;
    emit rowsShiftedAtTop(page.size());
    letGoOfBottom();
}

void RecordSourceModel::withPendingEdits(QVector<Record>& rows) const {
    if (pending_.isEmpty())
        return;
    for (Record& record : rows)
        if (record.key == pendingKey_)
            for (auto it = pending_.begin(); it != pending_.end(); ++it)
                record.values[it.key()] = it.value();
}

void RecordSourceModel::letGoOfTop() {
    const int surplus = rows_.size() - WindowRows;
    if (surplus <= 0)
        return;
    shifting_ = true;
    beginRemoveRows(QModelIndex(), 0, surplus - 1);
    rows_.remove(0, surplus);
    atStart_ = false;
    endRemoveRows();
    shifting_ = false;
    emit rowsShiftedAtTop(-surplus);
}

void RecordSourceModel::letGoOfBottom() {
    const int surplus = rows_.size() - WindowRows;
    if (surplus <= 0)
        return;
    shifting_ = true;
    beginRemoveRows(QModelIndex(), WindowRows, rows_.size() - 1);
    rows_.resize(WindowRows);
    atEnd_ = false;
    endRemoveRows();
    shifting_ = false;
}

void RecordSourceModel::open(RecordSet* records) {
    beginResetModel();
    dropPendingEdits();
    records_ = records;
    rows_.clear();
    atEnd_ = false;
    atStart_ = true;
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
    atStart_ = true;
    mapColumns();
    endResetModel();
}

int RecordSourceModel::rowOfKey(qint64 key) const {
    const auto found = std::lower_bound(rows_.begin(), rows_.end(), key,
                                        [](const Record& r, qint64 k) { return r.key < k; });
    return found != rows_.end() && found->key == key ? int(found - rows_.begin()) : -1;
}

int RecordSourceModel::fetchRowOfKey(qint64 key) {
    if (!records_ || rowOfKey(key) >= 0 || rows_.isEmpty())
        return rowOfKey(key);
    if (key > rows_.last().key && canFetchMore(QModelIndex()))
        fetchAfter(kNearRows);
    else if (key < rows_.first().key && canFetchEarlier())
        fetchBefore(kNearRows);
    const int row = rowOfKey(key);
    return row >= 0 ? row : showRowsAround(key);
}

// A few screenfuls on either side, read at once; the grid reads on by pages from there.
int RecordSourceModel::showRowsAround(qint64 key) {
    const int half = kNearRows;
    QVector<Record> rows = records_->pageBefore(key, half);
    const bool fromStart = rows.size() < half;
    const QVector<Record> after = records_->page(
        rows.isEmpty() ? std::nullopt : std::optional<qint64>(rows.last().key), half + 1);
    if (after.isEmpty() || after.first().key != key)
        return -1;
    rows += after;
    showRows(rows, fromStart, after.size() < half + 1);
    return rowOfKey(key);
}

void RecordSourceModel::showRows(const QVector<Record>& rows, bool fromStart, bool toEnd) {
    shifting_ = true;
    beginResetModel();
    rows_ = rows;
    withPendingEdits(rows_);
    atStart_ = fromStart;
    atEnd_ = toEnd;
    endResetModel();
    shifting_ = false;
    emit rowsReadAround();
}

void RecordSourceModel::readLastRows() {
    if (!records_ || atEnd_)
        return;
    const QVector<Record> rows = records_->pageBefore(std::nullopt, kNearRows);
    showRows(rows, rows.size() < kNearRows, true);
}

void RecordSourceModel::readFirstRows() {
    if (!records_ || atStart_)
        return;
    const QVector<Record> rows = records_->page(std::nullopt, kNearRows);
    showRows(rows, true, rows.size() < kNearRows);
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
