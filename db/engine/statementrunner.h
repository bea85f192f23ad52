#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

using Row = QVector<QVariant>;

// How the statements of one record set run on their engine: each prepared once on its connection
// and reused with new values, every result read whole and the statement let go at once, so that
// no read keeps the database locked between operations.
class StatementRunner {
  public:
    virtual ~StatementRunner() = default;
    virtual QVector<Row> rows(const QString& sql, const QVariantList& values) = 0;
    // The names of the result columns of a query.
    virtual QStringList columnNames(const QString& sql, const QVariantList& values) = 0;
    // Runs a change; the number of rows it changed.
    virtual int write(const QString& sql, const QVariantList& values) = 0;
};
