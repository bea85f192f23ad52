#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>
#include <optional>

struct sqlite3_stmt;

// Rows written to one table, a few hundred in one statement prepared once for a full batch: on a
// file that spares the engine its work per statement (a counted table's counter is read and
// written back by every statement), on a server it spares round trips. Well under either's limit
// of bound values.
//
// Into a file, a text may come as its UTF-8 bytes (a QByteArray), which is bound as the text it
// is, without a copy: a thread that makes the rows can encode them, not the one that writes.
class RowBatch {
  public:
    RowBatch(QSqlDatabase& db, const QString& table, const QStringList& columns);
    ~RowBatch();
    RowBatch(const RowBatch&) = delete;
    RowBatch& operator=(const RowBatch&) = delete;

    // Each returns the rows it wrote since it last told: a batch's worth, or 0.
    int add(QVariantList&& row);
    // Writes what is pending.
    int flush();

  private:
    void writeToFile(int rows);
    void writeToServer(int rows);

    QSqlDatabase& db_;
    QString table_;
    QStringList columns_;
    QVariantList values_;
    int pending_ = 0;
    std::optional<QSqlQuery> full_;
    sqlite3_stmt* fileFull_ = nullptr;
};
