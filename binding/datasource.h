#pragma once

#include "binding/recordsourcemodel.h"
#include "core/apperror.h"

#include <QObject>
#include <QPointer>
#include <QVariant>
#include <QVector>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

// A screen's data control ("Data1", "Data2", ...): a database file, a record source (a table or
// a query), and one current record of it. Boxes bound to fields by name show the current record;
// their edits reach the database only when store() runs (or, where a screen asks for it, when the
// source moves to another record or closes). Grids show the record source through model(), which
// fetches rows as they are shown.
//
// Every operation that fails raises AppError with the engine's number and description.
// Criteria are never spliced from the user's text: findFirst() binds the value.
class DataSource : public QObject {
    Q_OBJECT
  public:
    // When the screen's activation binds it again: each time, or (a source that the screen
    // points elsewhere itself) only when the program binds every screen.
    enum class Rebinding { OnActivation, AtStartOnly };

    // The data source is owned by its screen and carries the given objectName ("Data1"). A
    // default record source makes it one of the screen's data controls, which the program binds
    // to the current database with that source.
    DataSource(QWidget* screen, const QString& name, const QString& defaultSource = QString(),
               Rebinding rebinding = Rebinding::OnActivation);
    ~DataSource() override;

    // --- what it is bound to -----------------------------------------------------------------
    void setDatabaseName(const QString& path);
    QString databaseName() const;
    // A table name, or a query text. A query text may carry '?' placeholders for values given
    // with setRecordSourceValues(); user text always goes through those values.
    void setRecordSource(const QString& tableOrQuery);
    QString recordSource() const;
    QString defaultRecordSource() const;
    Rebinding rebinding() const;
    void setRecordSourceValues(const QVariantList& values);
    // Limits a table source to the records whose field equals the value (one patient's
    // invoices), which stay editable in a grid. Takes effect at the next refresh;
    // setRecordSource() lifts it.
    void setFilter(const QString& field, const QVariant& value);
    // What the record set is opened on: the record source with its values and filter.
    RecordSourceDefinition definition() const;

    // --- the record set -----------------------------------------------------------------------
    // Opens the record set anew from the record source; the first record becomes current.
    void refresh();
    // Opens it anew and makes the first record whose field equals the value current, as refresh()
    // then findFirst() would, without showing the first record in between. On a miss the first
    // record is current and noMatch() is true.
    bool refreshAndFind(const QString& field, const QVariant& value);
    // Closes the record set and lets go of the database file; no record is current afterwards.
    void close();
    bool isOpen() const;
    // True when the record source is a table (records can be added, stored and deleted).
    bool isTable() const;

    // --- the current record ---------------------------------------------------------------------
    // Makes the first record whose field equals the value current. On a miss, noMatch() is true
    // and the current record stays where it was.
    bool findFirst(const QString& field, const QVariant& value);
    bool noMatch() const;
    bool hasCurrent() const;
    // The current record's value of a field (as stored, not as edited in a box).
    QVariant field(const QString& name) const;
    // Sets a field of the current or new record without a box; written by store().
    void setField(const QString& name, const QVariant& value);

    // Moving past either end stays on the first or last record; after deleteCurrent() next and
    // previous are taken from where the deleted record stood.
    void moveFirst();
    void movePrevious();
    void moveNext();
    void moveLast();
    // Makes the record in the grid's row current (a row chosen in the grid).
    void moveToRow(int row);
    // The grid row of the current record, -1 when it has not been fetched into the grid.
    int currentRow() const;
    // The same, fetching the grid's rows up to the current record; -1 when there is none.
    int fetchCurrentRow();
    int recordCount() const;

    // Begins a new empty record; bound boxes show it empty.
    void addNew();
    bool isAddingNew() const;
    // Writes the bound boxes' edits (and setField values) into the current or new record.
    // A refused store raises the engine's error and keeps the boxes as typed.
    void store();
    // Discards pending edits and a pending new record; boxes show the current record again.
    void cancel();
    // Deletes the current record; no record is current afterwards until a move.
    void deleteCurrent();
    // True when a bound box differs from the current record, or a new record is pending.
    bool hasPendingEdits() const;
    // Where true, moving to another record (also by find, add new and refresh) or close()
    // stores pending edits first; a refused store then raises its error and nothing moves.
    void setStoresOnMove(bool stores);

    // --- bound controls -----------------------------------------------------------------------
    // QLineEdit, MaskedEdit, QComboBox (editable) and QCheckBox boxes bind to a field by name.
    void bind(QWidget* box, const QString& field);
    // The grid model over the record source; refreshed with the source. It exists from the first
    // call on; a source that no grid shows fetches no rows for one.
    RecordSourceModel* model();

  signals:
    // The current record changed (moved, found, added, deleted, refreshed).
    void currentChanged();

  private:
    // Stores pending edits where the screen asks for it; true when it did.
    bool leaveRecord();
    // Opens the record source anew and shows the first record whose field equals the value, or
    // the first record when no field is given or none matches.
    void reread(const QString& field, const QVariant& value);
    void release();
    void reopen(const RecordSourceDefinition& definition);
    void showRecord(const std::optional<Record>& record);
    void moveTo(const std::function<std::optional<Record>(RecordSet&)>& target);
    void takeGridEdit(qint64 key);

    struct Private;
    std::unique_ptr<Private> d;
};
