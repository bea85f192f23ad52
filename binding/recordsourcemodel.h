#pragma once

#include "db/recordset.h"

#include <QAbstractTableModel>

// The grid model of a data source: the records of its record source, fetched a page at a time as
// the grid scrolls (never the whole table at once), one column per shown field.
class RecordSourceModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct Column {
        QString field;
        QString caption;
    };
    static constexpr int PageSize = 256;

    explicit RecordSourceModel(QObject* parent = nullptr);

    // The fields shown, in this order, under these captions. Without it every field of the
    // source is shown under its own name.
    void setColumns(const QVector<Column>& columns);
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
    // True when the row holds edits that writeEditedRow() has not written yet.
    bool isEditedRow(int row) const { return !pending_.isEmpty() && rowId(row) == pendingKey_; }
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // The data source's side: the record set shown (its first page is fetched at once; a
    // failure raises the engine's error), and what the source did to its records.
    void open(RecordSet* records);
    void close();
    void recordStored(const Record& record);
    void recordRemoved(qint64 key);
    // The row of a fetched record, -1 when it has not been fetched.
    int rowOfKey(qint64 key) const;
    // The row of a record, fetching the pages up to it; -1 when the source does not hold it.
    int fetchRowOfKey(qint64 key);
    const Record& record(int row) const { return rows_[row]; }

  signals:
    // A row's edits were written to the record with this key.
    void recordEdited(qint64 key);

  private:
    void mapColumns();
    void dropPendingEdits();
    QVector<Record> nextPage(int size);
    bool isCurrencyColumn(int column) const;

    RecordSet* records_ = nullptr;
    QVector<Record> rows_;
    bool atEnd_ = true;
    int firstPageSize_ = PageSize;
    QVector<Column> requested_;
    QStringList currencyFields_;
    bool editable_ = false;
    // The edited row's record and its typed values, waiting for writeEditedRow().
    qint64 pendingKey_ = -1;
    Changes pending_;
    // For each shown column: the source's column index (-1 when it lacks the field) and caption.
    QVector<int> sourceColumns_;
    QStringList captions_;
};
