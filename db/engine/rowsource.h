#pragma once

#include "db/engine/serverstatements.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>
#include <optional>
#include <vector>

struct sqlite3_stmt;

// The rows a report is laid out from, read once from the first to the last. The report finds its
// fields by column name, ignoring letter case.
class RowSource {
  public:
    virtual ~RowSource() = default;
    virtual QStringList columns() const = 0;
    // Moves to the next row (the first, on the first call); false after the last one.
    virtual bool next() = 0;
    // A value of the current row.
    virtual QVariant value(int column) const = 0;
};

// The rows of a query, streamed as the engine reads them. A report reads tens of thousands of
// them, so a file's are read on the engine's own interface; a server's come through Qt's driver.
class QueryRows : public RowSource {
  public:
    // Runs the query with its values on the connection, which stays open while the rows are read.
    // A query the engine refuses raises its error, here or, for a failure while reading, in next().
    QueryRows(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});
    ~QueryRows() override;
    QueryRows(const QueryRows&) = delete;
    QueryRows& operator=(const QueryRows&) = delete;

    QStringList columns() const override { return columns_; }
    bool next() override;
    QVariant value(int column) const override;

  private:
    sqlite3_stmt* statement_ = nullptr;
    std::optional<HeldServerStatement> serverRows_;
    QStringList columns_;
    bool onRow_ = false;
};

// Rows held in memory, for a row set that must be counted before it is printed.
class RowSet : public RowSource {
  public:
    RowSet() = default;
    RowSet(QStringList columns, std::vector<QVariantList> rows);
    // Reads every remaining row of a query.
    static RowSet readAll(QSqlQuery& query);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    const QVariantList& row(int index) const { return rows_.at(index); }
    // The column's index, compared without regard to letter case; -1 when there is none.
    int columnIndex(const QString& name) const;

    QStringList columns() const override { return columns_; }
    bool next() override;
    QVariant value(int column) const override;

  private:
    QStringList columns_;
    std::vector<QVariantList> rows_;
    int current_ = -1;
};
