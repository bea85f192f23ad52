#pragma once

#include "db/engine/recordset.h"

#include <map>

// A query text with its '?' values, read only. Its rows are identified by their position in the
// result and read a page at a time. A query that ends in "order by" one whole-number column
// continues each page from the order value where the page before it ended, so that reading far
// down a long list costs no more than reading its start.
class QueryRecordSet : public RecordSet {
  public:
    QueryRecordSet(const QSqlDatabase& db, const QString& query, const QVariantList& values);

    bool isTable() const override { return false; }
    void restart(const RecordSourceDefinition& definition) override;
    std::optional<Record> first() override;
    std::optional<Record> last() override;
    std::optional<Record> after(qint64 key) override;
    std::optional<Record> before(qint64 key) override;
    std::optional<Record> at(qint64 key) override;
    std::optional<Record> findFirst(int column, const QVariant& value) override;
    int count() override;
    QVector<Record> page(std::optional<qint64> afterKey, int limit) override;
    QVector<Record> pageBefore(std::optional<qint64> beforeKey, int limit) override;
    QVector<qint64> keysAfter(std::optional<qint64> afterKey, int limit) override;

  private:
    // A row already read: its order value, and how many rows up to it, itself included, have
    // that same value.
    struct Bookmark {
        qint64 value = 0;
        qint64 ties = 0;
    };

    enum class Reading { WholeRows, OrderValues };
    // The rows from position offset on, at most limit of them: whole, or their order value
    // alone (nothing where the query has no order column).
    QVector<Row> read(qint64 offset, int limit, Reading reading);
    QVector<Record> rowsFrom(qint64 offset, int limit);
    // Marks the last row of a page read from offset on, its order value at orderAt, for the
    // pages after it.
    void remember(qint64 offset, const QVector<Row>& rows, int orderAt);

    QString query_;
    QVariantList values_;
    // The column of the trailing "order by", -1 when paging must count rows from the start.
    int orderColumn_ = -1;
    std::map<qint64, Bookmark> bookmarks_;
};
