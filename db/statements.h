#pragma once

#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <QVector>

struct sqlite3_stmt;

using Row = QVector<QVariant>;

// The statements of one record set on its connection, on the engine's own interface, each
// prepared once and then reused with new values. Every result is read whole (the statements
// carry their own LIMIT) and the statement reset at once, so that no read keeps the database
// file locked between operations.
class Statements {
  public:
    explicit Statements(const QSqlDatabase& db);
    Statements(const Statements&) = delete;
    Statements& operator=(const Statements&) = delete;

    // False once the connection was closed under the statements (the database released).
    bool isConnected() const { return db_.isOpen(); }
    QVector<Row> rows(const QString& sql, const QVariantList& values = {});
    // The names of the result columns of a query.
    QStringList columnNames(const QString& sql, const QVariantList& values = {});

    struct Written {
        qint64 insertedId;
        int rowsAffected;
    };
    Written write(const QString& sql, const QVariantList& values);

  private:
    sqlite3_stmt* bound(const QString& sql, const QVariantList& values);

    QSqlDatabase db_;
};
