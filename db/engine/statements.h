#pragma once

#include "db/engine/rowsource.h"
#include "db/engine/statementrunner.h"

#include <QSqlDatabase>
#include <limits>
#include <memory>

// A column of a table or a query as its engine declares it.
struct TableColumn {
    QString name;
    bool integer = false; // a whole number or a flag, where an empty box means null
    bool counter = false; // the table's own record number, alone its key, never written
};

// The one way the program runs a statement: on its connection, each prepared once and then reused
// with new values, as its engine's dialect runs them. Every result is read whole (the statements
// carry their own LIMIT) and the statement reset at once, so that no read keeps the database file
// locked between operations; a report's rows are streamed instead. A failure raises the engine's
// error.
class Statements {
  public:
    explicit Statements(const QSqlDatabase& db);
    ~Statements();
    Statements(const Statements&) = delete;
    Statements& operator=(const Statements&) = delete;

    // False once the connection was closed under the statements (the database released).
    bool isConnected() const { return db_.isOpen(); }
    const QSqlDatabase& database() const { return db_; }
    QVector<Row> rows(const QString& sql, const QVariantList& values = {});
    // The first value of the first row; an invalid value when there is no row.
    QVariant value(const QString& sql, const QVariantList& values = {});
    // A query's rows streamed as its engine reads them (a report reads tens of thousands). They
    // stay readable after the statements are gone, while the connection is open; a failure while
    // reading raises the engine's error in next().
    std::unique_ptr<RowSource> stream(const QString& sql, const QVariantList& values = {});
    // The names of the result columns of a query.
    QStringList columnNames(const QString& sql, const QVariantList& values = {});

    // Runs a change; the number of rows it changed.
    int write(const QString& sql, const QVariantList& values = {});
    // Runs a statement that is not kept prepared: one that defines tables, or sets the
    // transaction or the engine, which a server does not prepare.
    void runOnce(const QString& sql);
    // Runs an INSERT; the value of the key column that the new row was given.
    qint64 insert(const QString& sql, const QVariantList& values, const QString& keyColumn);
    // The condition that the column holds exactly the value bound to it, null as null, letter case
    // and all: a text column's own collation would take a change of case for no change.
    QString holdsExactly(const QString& column, bool integer) const;
    // The table's columns in their order; none when there is no such table.
    QVector<TableColumn> tableColumns(const QString& table);
    // The largest LIMIT, for a statement that takes one and is asked for every row.
    static constexpr qint64 kNoLimit = std::numeric_limits<qint64>::max();

  private:
    QSqlDatabase db_;
    std::unique_ptr<StatementRunner> runner_;
};
