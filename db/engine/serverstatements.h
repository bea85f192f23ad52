#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariantList>
#include <QVector>
#include <functional>

// Statements on a server go through Qt's driver; each is prepared once on its connection and kept
// for the next use with new values, as the file's statements are.

// Runs the kept statement with the values, in order; a refusal raises the server's error. The
// caller reads its rows and finishes it.
QSqlQuery& runServerStatement(const QSqlDatabase& db, const QString& sql,
                              const QVariantList& values);
// A kept statement of its own for a result read while other statements run (a report's rows,
// read as they are laid out): prepared once a session, it goes back to the connection's spare
// ones when its holder is done, for the next holder of the same statement.
class HeldServerStatement {
  public:
    // Runs the statement with the values; a refusal raises the server's error.
    HeldServerStatement(const QSqlDatabase& db, const QString& sql, const QVariantList& values);
    ~HeldServerStatement();
    HeldServerStatement(const HeldServerStatement&) = delete;
    HeldServerStatement& operator=(const HeldServerStatement&) = delete;

    QSqlQuery& query() { return query_; }
    const QSqlQuery& query() const { return query_; }

  private:
    QSqlDatabase db_;
    QString sql_;
    int session_;
    QSqlQuery query_;
};
// The rows of a read of the server's catalog (a table's columns), which hold for the connection's
// life: read once with `read`, then given from memory until its statements are let go.
QVector<QVector<QVariant>> keptCatalogRows(const QSqlDatabase& db, const QString& key,
                                           const std::function<QVector<QVector<QVariant>>()>& read);
// After a change of a table's columns on the connection.
void forgetCatalogRows(const QSqlDatabase& db);
// Lets go of a connection's kept statements and catalog rows before it is closed.
void dropServerQueries(const QString& connectionName);
// The same for a connection whose session is gone, and its prepared statements with it.
void dropDeadServerQueries(const QString& connectionName);
// A value of the current row as the file's engine gives it: whole numbers of 64 bits, null as a
// null text, so that an empty number box stays empty.
QVariant serverValue(const QSqlQuery& query, int column);
