#include "binding/recordsourcemodel.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"
#include "core/userinput.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <algorithm>

namespace {

// Rows read around a row that the grid is to show: a few screenfuls.
constexpr int kNearRows = 128;

// How often a count held back by a modal window looks again, in milliseconds.
constexpr int kModalPause = 250;
// The count waits this long after the user's last key or click, in milliseconds: a user at work
// never waits for it.
constexpr qint64 kInputPause = 300;
// A page counted while idle is sized to take about this long on the wall, in milliseconds, so
// that a key pressed as it starts waits no longer: on a server a page costs a round trip and
// the server's time, many times what the file's engine takes.
constexpr qint64 kCountStepTime = 20;

// The next page's size for the time the last one took: in proportion, within the smallest step
// and a full page.
int nextCountStep(int rows, qint64 took) {
    const qint64 sized = rows * kCountStepTime / std::max<qint64>(1, took);
    return int(
        std::clamp<qint64>(sized, RecordSourceModel::SmallestCountStep, ListPositions::StepRows));
}

const Record kNoRecord;

} // namespace

RecordSourceModel::RecordSourceModel(QObject* parent) : QAbstractTableModel(parent) {
    counting_.setSingleShot(true);
    counting_.setInterval(0);
    // The user's input is watched from the first list on.
    sinceUserInput();
    connect(&counting_, &QTimer::timeout, this, [this] {
        // A modal window's work (a report's progress, a backup) turns the event loop too: the
        // count waits until it is done rather than take its time.
        if (QApplication::activeModalWidget()) {
            counting_.start(kModalPause);
            return;
        }
        if (const qint64 since = sinceUserInput(); since < kInputPause) {
            counting_.start(int(kInputPause - since));
            return;
        }
        counting_.setInterval(0);
        try {
            QElapsedTimer took;
            took.start();
            const bool more = countOn(countStep_);
            countStep_ = nextCountStep(countStep_, took.elapsed());
            if (more)
                countWhenIdle();
        } catch (const AppError& error) {
            // The rows counted so far stay; the next opening of the list counts it anew.
            ErrorLog::write("error in (fetchMore) : ", error);
        }
    });
}

void RecordSourceModel::setColumns(const QVector<Column>& columns) {
    beginResetModel();
    requested_ = columns;
    mapColumns();
    endResetModel();
}

void RecordSourceModel::setCurrencyColumns(const QStringList& fields) {
    currencyFields_ = fields;
    if (rowCount() > 0)
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
    for (const TableColumn& column : records_->columns())
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
    const int column = records_ ? records_->columnIndex(field) : -1;
    const Record& shown = record(row);
    return column < 0 || column >= shown.values.size() ? QVariant() : shown.values[column];
}

qint64 RecordSourceModel::rowId(int row) const {
    return record(row).key;
}

int RecordSourceModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : countedRows() + int(ahead_.size());
}

int RecordSourceModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : sourceColumns_.size();
}

QVariant RecordSourceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || sourceColumns_[index.column()] < 0)
        return {};
    const Record& shown = record(index.row());
    if (shown.values.isEmpty())
        return {};
    const QVariant& value = shown.values[sourceColumns_[index.column()]];
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
    // The row selector shows no numbers, as the list's own grids never did.
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
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable) || record(index.row()).key < 0)
        return false;
    Record& record = *held(index.row());
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
        if (Record* shown = held(row))
            *shown = stored;
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
    const QVector<TableColumn>& columns = records_->columns();
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

int RecordSourceModel::slot(int row) const {
    const int at = row - first_;
    return at >= 0 && at < rows_.size() && row < countedRows() ? at : -1;
}

Record* RecordSourceModel::held(int row) {
    if (row >= countedRows() && row < rowCount())
        return &ahead_[row - countedRows()];
    const int at = slot(row);
    return at < 0 ? nullptr : &rows_[at];
}

const Record& RecordSourceModel::record(int row) const {
    if (!records_ || row < 0 || row >= rowCount())
        return kNoRecord;
    if (row >= countedRows())
        return ahead_[row - countedRows()];
    if (slot(row) < 0) {
        try {
            readRowsAround(row);
        } catch (const AppError& error) {
            // Called by the grid while it paints: the failure is logged, the row shows empty.
            ErrorLog::write("error in (fetchMore) : ", error);
        }
    }
    const int at = slot(row);
    return at < 0 ? kNoRecord : rows_[at];
}

void RecordSourceModel::readRowsAround(int row) const {
    const int end = first_ + rows_.size();
    if (!rows_.isEmpty() && row >= end && row < end + PageSize)
        readOn(row);
    else if (!rows_.isEmpty() && row < first_ && row >= first_ - PageSize)
        readBack(row);
    else
        readWindowAt(row);
}

// Rows next to those read continue from the last one by its key, as the grid scrolls down.
void RecordSourceModel::readOn(int row) const {
    const int end = first_ + rows_.size();
    QVector<Record> page = records_->page(rows_.last().key, row - end + kNearRows);
    withPendingEdits(page);
    rows_ += page;
    const int surplus = rows_.size() - WindowRows;
    if (surplus > 0) {
        rows_.remove(0, surplus);
        first_ += surplus;
    }
}

void RecordSourceModel::readBack(int row) const {
    const int wanted = std::min(first_, first_ - row + kNearRows);
    QVector<Record> page = records_->pageBefore(rows_.first().key, wanted);
    withPendingEdits(page);
    rows_ = page + rows_;
    first_ = std::max(0, first_ - int(page.size()));
    if (rows_.size() > WindowRows)
        rows_.resize(WindowRows);
}

// A far row: the rows around it, the list's last ones read by its reversed order, any other on
// from the key of the record before it.
void RecordSourceModel::readWindowAt(int row) const {
    const int count = countedRows();
    const int start = std::max(0, row - kNearRows / 2);
    QVector<Record> rows;
    if (isCounted() && count - start <= 2 * kNearRows) {
        rows = records_->pageBefore(std::nullopt, count - start);
        first_ = count - int(rows.size());
    } else {
        rows = records_->page(positions_.startFor(start).afterKey, 2 * kNearRows);
        first_ = start;
    }
    withPendingEdits(rows);
    rows_ = rows;
}

bool RecordSourceModel::countOn(int rows) {
    if (!records_ || isCounted())
        return false;
    QVector<qint64> page = records_->keysAfter(positions_.lastKey(), rows);
    // The count stops where it meets the records read ahead; where it passes their first one,
    // that one is gone, and so is their place.
    auto met = std::find_if(page.begin(), page.end(), [this](qint64 key) {
        return !ahead_.isEmpty() && key >= ahead_[0].key;
    });
    if (met != page.end() && *met != ahead_.first().key) {
        dropAhead();
        met = page.end();
    }
    const bool meets = met != page.end();
    page.erase(met, page.end());
    const int count = countedRows();
    // The rows counted go in above those read ahead, which keep their records.
    shifting_ = !ahead_.isEmpty();
    if (!page.isEmpty())
        beginInsertRows(QModelIndex(), count, count + int(page.size()) - 1);
    positions_.learn(page, meets ? int(page.size()) : rows);
    if (!page.isEmpty())
        endInsertRows();
    shifting_ = false;
    if (meets)
        countAhead();
    if (isCounted()) {
        dropAhead();
        emit counted();
    }
    return !isCounted();
}

void RecordSourceModel::countAhead() {
    QVector<qint64> keys;
    for (const Record& record : ahead_)
        keys.append(record.key);
    const int at = countedRows();
    // Records may have come after them since they were read: the count goes on from them.
    positions_.learn(keys, int(keys.size()));
    // They become the rows read, where the user most likely looks.
    first_ = at;
    rows_ = ahead_;
    ahead_.clear();
    aheadEndsList_ = false;
}

void RecordSourceModel::holdAhead(QVector<Record> records, bool endsList) {
    dropAhead();
    if (const std::optional<qint64> last = positions_.lastKey())
        records.erase(records.begin(),
                      std::find_if(records.begin(), records.end(),
                                   [&](const Record& r) { return r.key > *last; }));
    if (records.isEmpty())
        return;
    withPendingEdits(records);
    const int at = countedRows();
    beginInsertRows(QModelIndex(), at, at + int(records.size()) - 1);
    ahead_ = records;
    aheadEndsList_ = endsList;
    endInsertRows();
}

void RecordSourceModel::dropAhead() {
    if (ahead_.isEmpty())
        return;
    const int at = countedRows();
    shifting_ = true;
    beginRemoveRows(QModelIndex(), at, at + int(ahead_.size()) - 1);
    ahead_.clear();
    aheadEndsList_ = false;
    endRemoveRows();
    shifting_ = false;
}

int RecordSourceModel::aheadRowOfKey(qint64 key) const {
    const auto found = std::lower_bound(ahead_.begin(), ahead_.end(), key,
                                        [](const Record& r, qint64 k) { return r.key < k; });
    return found != ahead_.end() && found->key == key ? countedRows() + int(found - ahead_.begin())
                                                      : -1;
}

void RecordSourceModel::countWhenIdle() {
    if (countingWhenIdle_ && !isCounted())
        counting_.start();
}

void RecordSourceModel::setCountingWhenIdle(bool on) {
    countingWhenIdle_ = on;
    if (on)
        countWhenIdle();
    else
        counting_.stop();
}

void RecordSourceModel::readEnd() {
    if (!records_ || isCounted() || aheadEndsList_)
        return;
    holdAhead(records_->pageBefore(std::nullopt, 2 * kNearRows), true);
}

void RecordSourceModel::withPendingEdits(QVector<Record>& rows) const {
    if (pending_.isEmpty())
        return;
    for (Record& record : rows)
        if (record.key == pendingKey_)
            for (auto it = pending_.begin(); it != pending_.end(); ++it)
                record.values[it.key()] = it.value();
}

void RecordSourceModel::open(RecordSet* records) {
    beginResetModel();
    dropPendingEdits();
    records_ = records;
    rows_.clear();
    first_ = 0;
    ahead_.clear();
    aheadEndsList_ = false;
    positions_.restart({}, 0);
    counting_.stop();
    mapColumns();
    try {
        rows_ = records->page(std::nullopt, firstPageSize_);
    } catch (...) {
        records_ = nullptr;
        rows_.clear();
        mapColumns();
        endResetModel();
        throw;
    }
    positions_.restart(rows_, firstPageSize_);
    endResetModel();
    countWhenIdle();
}

void RecordSourceModel::close() {
    beginResetModel();
    dropPendingEdits();
    records_ = nullptr;
    rows_.clear();
    first_ = 0;
    ahead_.clear();
    aheadEndsList_ = false;
    positions_.restart({}, 0);
    counting_.stop();
    mapColumns();
    endResetModel();
}

int RecordSourceModel::rowOfKey(qint64 key) const {
    const int ahead = aheadRowOfKey(key);
    if (ahead >= 0)
        return ahead;
    const auto found = std::lower_bound(rows_.begin(), rows_.end(), key,
                                        [](const Record& r, qint64 k) { return r.key < k; });
    if (found == rows_.end() || found->key != key)
        return -1;
    // Rows read past those counted have no row yet.
    const int row = first_ + int(found - rows_.begin());
    return row < countedRows() ? row : -1;
}

int RecordSourceModel::fetchRowOfKey(qint64 key) {
    if (!records_ || rowCount() == 0)
        return -1;
    const int row = rowOfKey(key);
    if (row >= 0)
        return row;
    // Past the rows counted: the rows around it follow them until the count meets them.
    if (!positions_.holds(key)) {
        QVector<Record> around = records_->pageBefore(key, kNearRows);
        const QVector<Record> from = records_->page(
            around.isEmpty() ? std::nullopt : std::optional(around.last().key), kNearRows + 1);
        around += from;
        holdAhead(around, from.size() <= kNearRows);
        return rowOfKey(key);
    }
    // Anywhere else, near the rows read or far: its place is known, and it is read with a
    // screenful either side of it, which the grid shows wherever the record lands in it; the rest
    // is read as the user scrolls.
    const std::optional<qint64> place = positions_.placeOf(key);
    if (!place)
        return -1;
    const int around = std::min(firstPageSize_, kNearRows);
    const ListPositions::Start start = positions_.startFor(*place - around);
    QVector<Record> rows =
        records_->page(start.afterKey, int(*place - start.position) + around + 1);
    if (std::none_of(rows.begin(), rows.end(), [key](const Record& r) { return r.key == key; }))
        return -1;
    withPendingEdits(rows);
    rows_ = rows;
    first_ = int(start.position);
    return rowOfKey(key);
}

std::optional<int> RecordSourceModel::countedRowOfKey(qint64 key) {
    if (!records_ || !positions_.holds(key))
        return std::nullopt;
    return fetchRowOfKey(key);
}

void RecordSourceModel::recordStored(const Record& record) {
    const int row = rowOfKey(record.key);
    if (Record* shown = held(row)) {
        *shown = record;
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    }
}

void RecordSourceModel::recordAdded(const Record& record) {
    // While the list is being counted, the count reaches the new record by itself.
    if (!records_ || !isCounted())
        return;
    const int count = rowCount();
    if (first_ + rows_.size() == count && (rows_.isEmpty() || record.key > rows_.last().key))
        rows_.append(record);
    beginInsertRows(QModelIndex(), count, count);
    positions_.added(record.key);
    endInsertRows();
}

void RecordSourceModel::recordRemoved(qint64 key) {
    if (const int ahead = aheadRowOfKey(key); ahead >= 0) {
        beginRemoveRows(QModelIndex(), ahead, ahead);
        ahead_.removeAt(ahead - countedRows());
        endRemoveRows();
        return;
    }
    if (!positions_.holds(key)) {
        // A record read past those counted has no row yet; the count will not meet it.
        rows_.erase(std::remove_if(rows_.begin(), rows_.end(),
                                   [key](const Record& r) { return r.key == key; }),
                    rows_.end());
        return;
    }
    const int count = countedRows();
    int row = rowOfKey(key);
    // A record not read lies before or after the rows read: which of those rows goes does not
    // matter, only that the rows read move up when it stood above them.
    const bool elsewhere = row < 0;
    const bool after = rows_.isEmpty() || key > rows_.last().key;
    if (elsewhere && after)
        row = first_ + rows_.size() < count ? count - 1 : -1;
    else if (elsewhere)
        row = first_ - 1;
    if (row < 0 || row >= count)
        return;
    shifting_ = elsewhere;
    beginRemoveRows(QModelIndex(), row, row);
    if (!elsewhere)
        rows_.removeAt(slot(row));
    else if (row < first_)
        --first_;
    positions_.removed(key);
    endRemoveRows();
    shifting_ = false;
}
