#pragma once

#include <QSqlDatabase>
#include <QStringList>
#include <QVariant>
#include <QVector>

struct sqlite3_stmt;

using Row = QVector<QVariant>;

// The statements of one record set on its connection, each prepared once and then reused with
// new values. They run on the engine directly: a screen's look-up is one indexed read, and the
// generic SQL layer would cost more than the read itself. Every result is read whole (the
// statements carry their own LIMIT) and the statement reset at once, so that no read keeps the
// database file locked between operations. Values come back as the platform's SQL layer gives
// them: whole numbers as 64-bit integers, text as text, and null as a null text.
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
