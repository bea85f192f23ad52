#pragma once

#include "db/engine/rowsource.h"
#include "db/engine/statementrunner.h"

#include <QSqlDatabase>

struct sqlite3_stmt;

// A file's statements run on the engine's own interface: Qt's SQL layer rebuilds a column record
// for every run and converts every value through its own cache.
class FileRunner : public StatementRunner {
  public:
    explicit FileRunner(const QSqlDatabase& db) : db_(db) {}
    QVector<Row> rows(const QString& sql, const QVariantList& values) override;
    QStringList columnNames(const QString& sql, const QVariantList& values) override;
    int write(const QString& sql, const QVariantList& values) override;

  private:
    sqlite3_stmt* bound(const QString& sql, const QVariantList& values);

    QSqlDatabase db_;
};

// A query's rows streamed as the engine reads them, for a report of tens of thousands.
class FileRows : public RowSource {
  public:
    FileRows(const QSqlDatabase& db, const QString& sql, const QVariantList& values);
    ~FileRows() override;
    FileRows(const FileRows&) = delete;
    FileRows& operator=(const FileRows&) = delete;

    QStringList columns() const override { return columns_; }
    bool next() override;
    QVariant value(int column) const override;

  private:
    sqlite3_stmt* statement_ = nullptr;
    QStringList columns_;
    bool onRow_ = false;
};
