#pragma once

#include "binding/listpositions.h"
#include "db/engine/recordset.h"

#include <QAbstractTableModel>
#include <QTimer>
#include <functional>

// The grid model of a data source: every record of its record source, one row each in the
// source's order, one column per shown field. The records are counted from the source's opening
// on, a page at a time while the program is idle, the rows growing as they are counted; a grid
// reads only a window of them, around the rows it shows, by key from the rows next to it or from
// the nearest mark where the user jumps to, so that the memory of a list does not grow with its
// length.
class RecordSourceModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct Column {
        QString field;
        QString caption;
    };
    static constexpr int PageSize = 4096;
    static constexpr int WindowRows = 4 * PageSize;
    // The fewest records counted at a time while idle: on a server each page costs a round trip.
    static constexpr int SmallestCountStep = 256;

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
    // showing a list reads no more than a screenful.
    void setFirstPageSize(int records);

    // A field's value in a row; null for a field that the source lacks.
    QVariant value(int row, const QString& field) const;
    // The key of the table record in the row (for a query source, the row's position); -1 when
    // the source no longer holds a record there.
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
    // True while rows not read into the grid come or go around the rows it shows.
    bool isShifting() const { return shifting_; }
    // True once every record of the source has its row.
    bool isCounted() const { return positions_.isComplete(); }
    // Makes the last row the list's last record, for a jump to the list's end: on a list not
    // counted yet, its last records are read and follow the rows counted so far. A failure
    // raises the engine's error.
    void readEnd();
    // Whether the records are counted while the program is idle, as they are unless a grid that
    // nobody sees turns it off: its list is counted once it is shown, or at a jump.
    void setCountingWhenIdle(bool on);

    // The data source's side: the record set shown (its first page is fetched at once; a
    // failure raises the engine's error), and what the source did to its records.
    void open(RecordSet* records);
    void close();
    // A record written again, and a new one, which comes last.
    void recordStored(const Record& record);
    void recordAdded(const Record& record);
    void recordRemoved(qint64 key);
    // The row of a record read into the grid, -1 when it has not been read.
    int rowOfKey(qint64 key) const;
    // The row of a record, reading the rows around it; -1 when the source does not hold it.
    int fetchRowOfKey(qint64 key);
    // The same for a record that the count has gone past, where the list is known to hold it or
    // not without asking the database; none for a record the count has not reached.
    std::optional<int> countedRowOfKey(qint64 key);
    // The record in the row, read with the rows around it where needed; an empty record when
    // the source no longer holds one there.
    const Record& record(int row) const;

  signals:
    // A row's edits were written to the record with this key.
    void recordEdited(qint64 key);
    // Every record of the source has its row now.
    void counted();

  private:
    void mapColumns();
    void dropPendingEdits();
    RowEdit rowEdit() const;
    // The index of the row among the rows read, -1 when it has not been read.
    int slot(int row) const;
    // Reads the rows around the row, next to those read where it is near them.
    void readRowsAround(int row) const;
    void readOn(int row) const;
    void readBack(int row) const;
    void readWindowAt(int row) const;
    // Counts the next `rows` records, rows added for them; false once the list is counted.
    bool countOn(int rows);
    // The rows counted so far, those read ahead of the count aside.
    int countedRows() const { return int(positions_.counted()); }
    // Holds records read beyond those counted, in their order, in rows after the counted ones;
    // records already counted are left out. endsList: they are the list's last ones.
    void holdAhead(QVector<Record> records, bool endsList);
    void dropAhead();
    // The records counted meet those read ahead: these are counted as they stand.
    void countAhead();
    // The row of a record read ahead of the count, -1 when it is not among them.
    int aheadRowOfKey(qint64 key) const;
    // The record of a row read, counted or ahead; null when it has not been read.
    Record* held(int row);
    void countWhenIdle();
    // Rows read again carry the typed values of the edited row.
    void withPendingEdits(QVector<Record>& rows) const;
    bool isCurrencyColumn(int column) const;

    RecordSet* records_ = nullptr;
    ListPositions positions_;
    QTimer counting_;
    // The records of the next page counted while idle, sized by the time the last one took.
    int countStep_ = SmallestCountStep;
    bool countingWhenIdle_ = true;
    // The rows read: a window of the list from the row at first_ on.
    mutable int first_ = 0;
    mutable QVector<Record> rows_;
    // Records the user jumped to before the count reached them (the list's last ones, a far one
    // found), in the rows after those counted: the rows counted meanwhile go in before them,
    // until the count meets them. aheadEndsList_: they are the list's last records.
    QVector<Record> ahead_;
    bool aheadEndsList_ = false;
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
