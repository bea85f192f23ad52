#pragma once

#include "db/engine/rowsource.h"
#include "db/engine/serverstatements.h"
#include "db/engine/statementrunner.h"

#include <QSqlDatabase>
#include <QSqlQuery>

// A server's statements go through Qt's driver, each kept prepared on its connection.
class ServerRunner : public StatementRunner {
  public:
    explicit ServerRunner(const QSqlDatabase& db) : db_(db) {}
    QVector<Row> rows(const QString& sql, const QVariantList& values) override;
    QStringList columnNames(const QString& sql, const QVariantList& values) override;
    int write(const QString& sql, const QVariantList& values) override;

  private:
    QSqlDatabase db_;
};

// A streamed result would be cut off by the next statement on the connection, which a report
// runs while it lays out its rows: a server's result is taken whole, in the client library's
// compact form, on a statement held for it, and turned into values row by row.
class ServerRows : public RowSource {
  public:
    ServerRows(const QSqlDatabase& db, const QString& sql, const QVariantList& values);

    QStringList columns() const override { return columns_; }
    bool next() override;
    QVariant value(int column) const override;

  private:
    HeldServerStatement held_;
    QStringList columns_;
    bool onRow_ = false;
};
