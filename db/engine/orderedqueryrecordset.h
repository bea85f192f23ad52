#pragma once

#include "db/engine/recordset.h"

// A query text with its '?' values, read only, that ends in "order by" the integer primary key
// of one of its tables (both invoice lists). A row is identified by that key's value and, where
// a join repeats the value, by its place among the rows that share it, so that every page, move
// and jump (to the last row too, by the reversed order) is read through the key's index from
// where it lands, however long the list: nothing is counted from either end.
class OrderedQueryRecordSet : public RecordSet {
  public:
    // The ordered record set of the query, or none when the query is not ordered that way.
    static std::unique_ptr<RecordSet> open(const QSqlDatabase& db, const QString& query,
                                           const QVariantList& values);

    bool isTable() const override { return false; }
    void restart(const RecordSourceDefinition& definition) override;
    std::optional<Record> first() override;
    std::optional<Record> last() override;
    std::optional<Record> after(qint64 key) override;
    std::optional<Record> before(qint64 key) override;
    std::optional<Record> at(qint64 key) override;
    std::optional<Record> findFirst(int column, const QVariant& value) override;
    std::optional<qint64> keyOfFirst(int column, const QVariant& value) const override;
    int count() override;
    QVector<Record> page(std::optional<qint64> afterKey, int limit) override;
    QVector<Record> pageBefore(std::optional<qint64> beforeKey, int limit) override;
    QVector<qint64> keysAfter(std::optional<qint64> afterKey, int limit) override;

  private:
    OrderedQueryRecordSet(const QSqlDatabase& db, const QString& query, const QString& unordered,
                          const QString& orderTerm, const QVariantList& values);

    // The rows read from the start of a run of equal order values, numbered within their runs.
    QVector<Record> numbered(const QVector<Row>& rows) const;
    // Every row whose order value lies within the bounds, in the query's order.
    QVector<Record> between(std::optional<qint64> from, std::optional<qint64> to,
                            std::optional<qint64> limit);
    // The order value that many rows before the one given (from the end without one).
    std::optional<qint64> valueRowsBefore(std::optional<qint64> value, int rows);
    QString orderName() const;

    QString query_;
    QString reversed_; // the same query in the reversed order
    QVariantList values_;
    int orderColumn_ = -1;
};
