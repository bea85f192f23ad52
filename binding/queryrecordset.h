#pragma once

#include "binding/recordset.h"

// A query text with its '?' values, read only. Its rows are identified by their position in the
// result and read a page at a time.
class QueryRecordSet : public RecordSet {
  public:
    QueryRecordSet(const QSqlDatabase& db, const QString& query, const QVariantList& values);

    bool isTable() const override { return false; }
    std::optional<Record> first() override;
    std::optional<Record> last() override;
    std::optional<Record> after(qint64 key) override;
    std::optional<Record> before(qint64 key) override;
    std::optional<Record> at(qint64 key) override;
    std::optional<Record> findFirst(int column, const QVariant& value) override;
    int count() override;
    QVector<Record> page(std::optional<qint64> afterKey, int limit) override;

  private:
    // The rows from position offset on, at most limit of them.
    QVector<Record> rowsFrom(qint64 offset, int limit);

    QString query_;
    QVariantList values_;
};
