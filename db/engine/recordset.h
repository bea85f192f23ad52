#pragma once

#include "core/apperror.h"
#include "db/engine/statements.h"

#include <QMap>
#include <memory>
#include <optional>

// A record of a record source: its key (a table record's counter, a query row's position) and its
// values in the order of the source's columns.
struct Record {
    qint64 key = -1;
    Row values;
};

// Values to write, by column index.
using Changes = QMap<int, QVariant>;

// What a data source is bound to.
struct RecordSourceDefinition {
    QString text; // a table name or a query text
    QVariantList values;
    QString filterField; // tables only: the records whose field equals filterValue
    QVariant filterValue;
};

// True when the record source is a query text rather than a table name.
bool isQueryText(const QString& recordSource);
// A table or column name as it stands in a statement.
QString quotedName(const QString& name);

// An opened record source: a table, read and written by its counter through indexed queries, or a
// read-only query whose rows are walked by position. Nothing is loaded beyond what is asked for.
class RecordSet {
  public:
    virtual ~RecordSet() = default;
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    bool isConnected() const { return statements_.isConnected(); }
    const QVector<TableColumn>& columns() const { return columns_; }
    // The column's index, -1 when the source has no such field.
    int columnIndex(const QString& field) const;
    // The column's index; an unknown field raises the engine's "item not found".
    int requireColumn(const QString& field) const;

    virtual bool isTable() const = 0;
    // Reads the same table or query anew with the definition's values (its filter value, its '?'
    // values): what was learnt of the rows' positions is forgotten.
    virtual void restart(const RecordSourceDefinition& definition) = 0;
    virtual std::optional<Record> first() = 0;
    virtual std::optional<Record> last() = 0;
    virtual std::optional<Record> after(qint64 key) = 0;
    virtual std::optional<Record> before(qint64 key) = 0;
    virtual std::optional<Record> at(qint64 key) = 0;
    virtual std::optional<Record> findFirst(int column, const QVariant& value) = 0;
    // The key that the first record with the value would have, where the source's order gives
    // it without reading; none otherwise.
    virtual std::optional<qint64> keyOfFirst(int column, const QVariant& value) const;
    virtual int count() = 0;
    // Up to limit records following the one with afterKey, or from the first one.
    virtual QVector<Record> page(std::optional<qint64> afterKey, int limit) = 0;
    // Up to limit records preceding the one with beforeKey, or the last ones, in their order.
    virtual QVector<Record> pageBefore(std::optional<qint64> beforeKey, int limit) = 0;
    // The keys alone of the records that page() reads: what counting a list needs.
    virtual QVector<qint64> keysAfter(std::optional<qint64> afterKey, int limit);

    // Writes return the record as the engine then holds it. A query source refuses them. An
    // update writes a field only while it holds what was read (readAs): a field changed since, at
    // another workstation, raises RecordChanged with what the record now holds.
    virtual Record insert(const Changes& changes);
    virtual Record update(qint64 key, const Changes& changes, const Row& readAs);
    virtual void remove(qint64 key);

  protected:
    explicit RecordSet(const QSqlDatabase& db) : statements_(db) {}

    static std::optional<Record> firstOf(const QVector<Record>& records);
    // A text that is no whole number equals no value of a whole-number column; the file's engine
    // answers so, and a server refuses to compare them at all.
    bool equalsNoValueOf(int column, const QVariant& value) const;

    Statements statements_;
    QVector<TableColumn> columns_;
};

// An update refused because the record changed since it was read; the record as it now stands.
class RecordChanged : public AppError {
  public:
    RecordChanged(const AppError& error, Record now) : AppError(error), now_(std::move(now)) {}
    const Record& now() const { return now_; }

  private:
    Record now_;
};

// Opens the record source on the connection; a missing table or a malformed query raises the
// engine's error, as does a filter on a field that the table lacks.
std::unique_ptr<RecordSet> openRecordSet(const QSqlDatabase& db,
                                         const RecordSourceDefinition& definition);
