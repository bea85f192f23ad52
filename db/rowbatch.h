#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>
#include <optional>

// Rows written to one table a few hundred at a time, one statement each: few statements, and
// well under a server's limit of bound values. The statement of a full batch is prepared once.
class RowBatch {
  public:
    RowBatch(QSqlDatabase& db, const QString& table, const QStringList& columns);

    // Each returns the rows it wrote: a batch when this row completed one, 0 otherwise.
    int add(const QVariantList& row);
    // Writes what is pending.
    int flush();

  private:
    QSqlDatabase& db_;
    QString table_;
    QStringList columns_;
    QVariantList values_;
    int pending_ = 0;
    std::optional<QSqlQuery> full_;
};
