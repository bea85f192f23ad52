#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>
#include <optional>

struct sqlite3_stmt;

// Rows written to one table. In a file each row goes through one statement prepared once on the
// engine's own interface; on a server a few hundred rows go in one statement, prepared once for a
// full batch: few round trips, well under a server's limit of bound values.
class RowBatch {
  public:
    RowBatch(QSqlDatabase& db, const QString& table, const QStringList& columns);
    ~RowBatch();
    RowBatch(const RowBatch&) = delete;
    RowBatch& operator=(const RowBatch&) = delete;

    // Each returns the rows it wrote since it last told: a batch's worth, or 0.
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
    sqlite3_stmt* single_ = nullptr;
};
