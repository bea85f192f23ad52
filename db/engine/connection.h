#pragma once

#include "core/apperror.h"
#include "db/engine/arabiccollation.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantList>

// Every connection of the program goes through here: it refuses to create a file where none
// exists, and registers the Arabic collation that the schema's text columns declare. A location
// is a database file's path or a server's connection URI.

// The shared connection of the run for a database file or a server's database (named by its
// connection URI), opened on first use.
QSqlDatabase openDatabase(const QString& location);
// True for a connection to a database server rather than to a file. What differs between the
// two is asked of their dialects (db/engine/dialect.h).
bool onServer(const QSqlDatabase& db);
// Closes the shared connection of one file, or of every file.
void closeDatabase(const QString& path);
void closeAllDatabases();

// A private connection for one operation, to a file or a server's database, closed and removed
// when it goes out of scope. Only a file is ever created.
class ScopedDatabase {
  public:
    enum class Mode { ExistingFile, CreateFile };
    explicit ScopedDatabase(const QString& location, Mode mode = Mode::ExistingFile);
    ~ScopedDatabase();
    ScopedDatabase(const ScopedDatabase&) = delete;
    ScopedDatabase& operator=(const ScopedDatabase&) = delete;

    QSqlDatabase& db() { return db_; }

  private:
    QString name_;
    QSqlDatabase db_;
};

// For a read of a whole file once (a copy, a check, an export) on a private connection: its
// pages are read without mapping them, as mapped they would all count as the program's memory
// while it runs.
void readOnceUnmapped(const QSqlDatabase& db);

// The engine's number and text for a failed operation.
AppError databaseError(const QSqlError& error);

// Runs one statement with bound values, throwing the engine's error when it fails. The query is
// forward-only: results are read once, in order.
QSqlQuery runQuery(const QSqlDatabase& db, const QString& sql, const QVariantList& values = {});

// A transaction's start and its end; a failure raises the engine's error, after a rollback.
void beginTransaction(QSqlDatabase& db);
void commitTransaction(QSqlDatabase& db);
void rollBackTransaction(QSqlDatabase& db);

// Runs a set of writes as one transaction: all or none.
template <typename Work> void inTransaction(QSqlDatabase& db, Work work) {
    beginTransaction(db);
    try {
        work();
    } catch (...) {
        rollBackTransaction(db);
        throw;
    }
    commitTransaction(db);
}
