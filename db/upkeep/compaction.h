#pragma once

#include <QString>

// Refuses, before anything happens, a database that the user cannot write: a file that its
// owner keeps read-only, or in a folder the user cannot write.
void refuseUnwritableDatabase(const QString& source);

// Compacts the database file at source through a compacted copy written to target, which then
// takes the source's place in one step, with the source's mode and group. A damaged file, or one
// another program is writing, is refused and left as it is. Every connection to the file must be
// closed first. A failure raises AppError and leaves no copy behind.
void compactDatabaseFile(const QString& source, const QString& target);
