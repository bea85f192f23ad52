#pragma once

#include "db/engine/recordset.h"

#include <QAbstractTableModel>
#include <functional>

// The grid model of a data source: a window of the records of its record source, fetched a page
// at a time as the grid scrolls either way, one column per shown field. Rows far from those in
// sight are let go and read again by key when the grid comes back to them, so that the memory
// of a list does not grow with its length; a record far away is shown with the rows around it.
class RecordSourceModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct Column {
        QString field;
        QString caption;
    };
    static constexpr int PageSize = 4096;
    static constexpr int WindowRows = 4 * PageSize;

    explicit RecordSourceModel(QObject* parent = nullptr);

    // The fields shown, in this order, under these captions. Without it every field of the
    // source is shown under its own name.
    void setColumns(const QVector<Column>& columns);
    // The fields shown and their captions, in the grid's order.
    QVector<Column> shownColumns() const;
    // Fields whose values are shown as currency.
    void setCurrencyColumns(const QStringList& fields);
    // Lets the grid's cells of a table source be edited, counters excepted. The edits of a row
    // are written together by writeEditedRow(), when the grid leaves the row (the
    // grid's own submit on Enter writes nothing).
    void setEditable(bool editable);
    // How many records a new record set starts with: what its grid shows at once, so that
    // showing a list reads no more than a screenful. Further pages hold PageSize records.
    void setFirstPageSize(int records);

    // A field's value in a fetched row; null for a field that the source lacks.
    QVariant value(int row, const QString& field) const;
    // The key of the table record in the row (for a query source, the row's position).
    qint64 rowId(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    // Writes the edited row to its record. A refusal is shown to the user and keeps the typed
    // values in the row; false then.
    bool writeEditedRow();
    // An edited row as its writer sees it: the record as stored and the typed values, by field.
    struct RowEdit {
        QMap<QString, QVariant> stored;
        QMap<QString, QVariant> typed;
    };
    // Where set, writes an edited row: it runs `write` (with what the edit causes beside it) and
    // returns the record written; an AppError it raises is a refusal.
    using RowWriter =
        std::function<Record(const RowEdit& edit, const std::function<Record()>& write)>;
    void setRowWriter(RowWriter writer) { rowWriter_ = std::move(writer); }
    // True when the row holds edits that writeEditedRow() has not written yet.
    bool isEditedRow(int row) const { return !pending_.isEmpty() && rowId(row) == pendingKey_; }
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    // The same above the first row kept, for a grid scrolled back to it.
    bool canFetchEarlier() const { return records_ && !atStart_; }
    void fetchEarlier();
    // The list's last rows, or its first, read in place of those kept, for a grid sent to
    // either end at once; nothing is read when they are kept already.
    void readLastRows();
    void readFirstRows();
    // True while rows come or go above the grid's rows by the model's doing, not the user's.
    bool isShifting() const { return shifting_; }

    // The data source's side: the record set shown (its first page is fetched at once; a
    // failure raises the engine's error), and what the source did to its records.
    void open(RecordSet* records);
    void close();
    void recordStored(const Record& record);
    void recordRemoved(qint64 key);
    // The row of a fetched record, -1 when it has not been fetched.
    int rowOfKey(qint64 key) const;
    // The row of a record, fetching a few rows next to those kept or else the rows around the
    // record; -1 when the source does not hold it.
    int fetchRowOfKey(qint64 key);
    const Record& record(int row) const { return rows_[row]; }

  signals:
    // A row's edits were written to the record with this key.
    void recordEdited(qint64 key);
    // Rows came in above the first row (a positive count) or were let go from the top.
    void rowsShiftedAtTop(int rows);
    // The rows kept were replaced by those around a far record.
    void rowsReadAround();

  private:
    void mapColumns();
    void dropPendingEdits();
    RowEdit rowEdit() const;
    QVector<Record> nextPage(int size);
    void fetchAfter(int size);
    void fetchBefore(int size);
    // Rows read again carry the typed values of the edited row.
    void withPendingEdits(QVector<Record>& rows) const;
    void letGoOfTop();
    void letGoOfBottom();
    int showRowsAround(qint64 key);
    void showRows(const QVector<Record>& rows, bool fromStart, bool toEnd);
    bool isCurrencyColumn(int column) const;

    RecordSet* records_ = nullptr;
    QVector<Record> rows_;
    bool atEnd_ = true;
    bool atStart_ = true; // the first row kept is the source's first record
    bool shifting_ = false;
    int firstPageSize_ = PageSize;
    QVector<Column> requested_;
    QStringList currencyFields_;
    bool editable_ = false;
    RowWriter rowWriter_;
    // The edited row's record, its typed values waiting for writeEditedRow(), and its values as
    // they were read, which the write goes over only while the record still holds them.
    qint64 pendingKey_ = -1;
    Changes pending_;
    Row readAs_;
    // For each shown column: the source's column index (-1 when it lacks the field) and caption.
    QVector<int> sourceColumns_;
    QStringList captions_;
};
