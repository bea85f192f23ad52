#pragma once

#include <QString>

class AppError;

// Copies of the database file taken while the program works on it, through the engine's online
// backup: a copy holds the database as one moment left it, so every saved invoice is in it whole
// or not at all, never half.

// Writes a copy of the database at source as a new file at target and checks the copy. Returns
// what the check found wrong, which is then the source's damage and leaves no file at target;
// empty when the copy is sound. A failure (the folder missing or read-only, a full disk) raises
// AppError and leaves no file at target either.
QString writeDatabaseCopy(const QString& source, const QString& target);

// True when a copy failed because the database itself cannot be read (damaged, or not a
// database at all), rather than for the place the copy was to go.
bool failedOnTheDatabase(const AppError& error);

// Puts a copy in the place of the database: the copy's rows are copied into a new file that the
// program builds beside the database (see copyBackup), which is then renamed over it, so that a
// valid database stands at the path at every moment. The copy itself stays as it is. Every
// connection to the database must be closed first. A copy that is not the program's, or any
// failure, raises AppError and leaves the database as it was.
void restoreDatabaseFile(const QString& copy, const QString& databasePath);

// What a copy holds, for the user choosing one. A file that cannot be read raises AppError.
struct DatabaseCounts {
    qint64 patients = 0;
    qint64 invoices = 0;
};
DatabaseCounts countsIn(const QString& path);
