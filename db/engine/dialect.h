#pragma once

#include "core/apperror.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>
#include <QVector>
#include <memory>

class RowSource;
class Statements;
class StatementRunner;

// Everything in which a database file and a database server differ, in one place for each
// engine: how a connection is opened and kept, how their failures are recognised, the SQL text
// that differs between them, and what each looks after by itself.
class Dialect {
  public:
    virtual ~Dialect() = default;

    // --- the connection
    // A connection under the name to the database at the location; only a file is ever created.
    virtual QSqlDatabase open(const QString& name, const QString& location, bool create) const = 0;
    // Whether the run's shared connection serves on as it is; a server's session lost or not
    // reached the last time is opened anew in place, as the screens hold the connection.
    virtual bool servesOn(const QSqlDatabase& db) const = 0;
    // What a shared connection opened anew needs before its first use.
    virtual void prepareShared(const QSqlDatabase& db) const = 0;
    // For a read of the whole database once (a copy, a check, an export) on a private connection.
    virtual void readOnceUnmapped(const QSqlDatabase& db) const = 0;
    // Runs one statement with bound values, throwing the engine's error when it fails.
    virtual QSqlQuery run(const QSqlDatabase& db, const QString& sql,
                          const QVariantList& values) const = 0;
    // The statements of a record set on the connection, and a query's rows streamed for a report.
    virtual std::unique_ptr<StatementRunner> statementsOn(const QSqlDatabase& db) const = 0;
    virtual std::unique_ptr<RowSource> streamedRows(const QSqlDatabase& db, const QString& sql,
                                                    const QVariantList& values) const = 0;
    // A transaction's start; after a commit that failed, the error raised.
    virtual void begin(QSqlDatabase& db) const = 0;
    [[noreturn]] virtual void failCommit(QSqlDatabase& db, const AppError& error) const = 0;

    // --- failures
    // The number, text and kind of an engine's failed operation. The number is the one the user
    // is shown, the same for the same failure on either engine.
    virtual AppError error(const QSqlError& error) const = 0;

    // --- SQL text
    // The Arabic collation that text columns declare, a table's own record number, and a whole
    // number column wide enough for the program's range checks to refuse what is out of range.
    virtual QString collation() const = 0;
    virtual QString counterColumn() const = 0;
    virtual QString wideInteger() const = 0;
    // The name of a column's rule, as the engine reports it when it refuses a row: the file
    // reports the name, so there it is the message; a server's names are short.
    virtual QString ruleName(const QString& message, const QString& shortName) const = 0;
    // The condition that the column matches the bound pattern (% and _, escaped by !), ignoring
    // the case of Latin letters.
    virtual QString matchesPattern(const QString& column) const = 0;
    // The condition that the column holds exactly the value bound to it, null as null, letter
    // case and all.
    virtual QString holdsExactly(const QString& column, bool integer) const = 0;
    // The ORDER BY that gives rows in the order in which the file gives them unasked.
    virtual QString storedOrder(const QString& columns) const = 0;
    // A query of one value, the name of a table: whether the database holds the table.
    virtual QString tableExistsQuery() const = 0;
    // The same for an index.
    virtual QString indexExistsQuery() const = 0;
    // The rows (name, whole number, counter) of a table's columns in their order.
    virtual QVector<QVector<QVariant>> tableColumns(Statements& statements,
                                                    const QString& table) const = 0;
    // The statement that keeps others from writing the table until the transaction ends; empty
    // where only one desk works on the database.
    virtual QString lockAgainstWriters(const QString& table) const = 0;

    // --- what differs in behaviour
    // True where every statement is a round trip over the network: a change of several statements
    // is better sent as one.
    virtual bool statementsTravel() const = 0;
    // True where several desks work on the database at once: invoices take their numbers from a
    // counter that all desks share.
    virtual bool servesManyDesks() const = 0;
    // True where the engine's SQL folds letters with translate(), which the file's lacks.
    virtual bool translatesLetters() const = 0;
    // True for the file, whose databases may stand in an older layout: a server's databases were
    // all made by this program.
    virtual bool mayHoldOlderLayouts() const = 0;
    // What the database looks after by itself, and so what the program leaves to it: its own
    // backups, compaction where it stands, the check of its storage. A long read of the whole
    // database is made apart from the shared connection only where that connection's working
    // tables need not be seen.
    virtual bool keepsOwnBackups() const = 0;
    virtual bool compactsInPlace() const = 0;
    virtual bool watchesOwnIntegrity() const = 0;
    virtual bool readsOnceApart() const = 0;
};

// The dialect of a connection, of the database at a location, and of the engine that reported a
// failure; and each engine's, for the statements that make a new database.
const Dialect& dialectOf(const QSqlDatabase& db);
const Dialect& dialectAt(const QString& location);
const Dialect& dialectOf(const QSqlError& error);
const Dialect& fileDialect();
const Dialect& serverDialect();
