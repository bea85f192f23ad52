#pragma once

#include "db/engine/recordset.h"

// A table, optionally limited to the records whose field equals a value. Records are ordered
// and identified by its counter, so every move and find is one indexed query for one record.
class TableRecordSet : public RecordSet {
  public:
    TableRecordSet(const QSqlDatabase& db, const QString& table, const QString& filterField,
                   const QVariant& filterValue);

    bool isTable() const override { return true; }
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

    Record insert(const Changes& changes) override;
    Record update(qint64 key, const Changes& changes, const Row& readAs) override;
    void remove(qint64 key) override;

  private:
    void readColumns(const QString& table);
    QString keyColumn() const;
    // "WHERE" with the filter and the condition, whichever there are.
    QString where(const QString& condition) const;
    QVariantList withFilter(const QVariantList& values) const;
    QVector<Record> select(const QString& condition, const QString& order,
                           const QVariantList& values);
    // A box's or the screen's value as the column takes it.
    QVariant stored(int column, const QVariant& value) const;
    Record reread(qint64 key);
    RecordChanged changedOrDeleted(qint64 key, const Changes& changes, const Row& readAs);

    QString table_; // quoted
    QString key_;   // quoted
    QString selectList_;
    QString filter_;
    QVariantList filterValues_;
};
