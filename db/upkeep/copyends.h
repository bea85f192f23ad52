#pragma once

#include <QSqlDatabase>
#include <memory>

// One side of a database copy: a database file, or a database on a PostgreSQL server named by a
// connection URI.
class CopyEnd {
  public:
    virtual ~CopyEnd() = default;

    virtual QSqlDatabase& db() = 0;
    // As a source, in its transaction: every later read sees the rows of this moment.
    virtual void holdSnapshot() {}
    // The last number a table's counter gave, 0 when it gave none; the copy carries it over so
    // that the next invoice gets the number it would have had.
    virtual qint64 counter(const QString& table, const QString& column) = 0;
    virtual void setCounter(const QString& table, const QString& column, qint64 value) = 0;
    // A target's tables, made in the copy's transaction where the engine allows it.
    virtual void createTables() = 0;
    // A target puts the committed copy in place; an abandoned one leaves nothing behind.
    virtual void complete() {}
    virtual void abandon() {}
};

// The database to copy from; it must exist. A failure raises AppError.
std::unique_ptr<CopyEnd> openCopySource(const QString& where);
// A backup from outside to restore: only the program's tables are read, and only once their
// columns and types are found to be the program's (see copylayout.h); an older layout is taken.
std::unique_ptr<CopyEnd> openBackupSource(const QString& path);
// The new file that the backup's rows are copied into, built by the program with the backup's
// layout, under a name of its own until the copy is checked.
std::unique_ptr<CopyEnd> openBackupTarget(const QString& path, const QString& backup);

// The database to copy into: a file that does not exist yet, or a server database that holds
// none of the clinic's tables. A failure raises AppError.
std::unique_ptr<CopyEnd> openCopyTarget(const QString& where);
