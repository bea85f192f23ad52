#pragma once

#include <QString>
#include <QtGlobal>

// Files up to this size are checked before the main window opens, which takes no time a user
// would notice; larger ones are checked beside the running program.
constexpr qint64 kCheckedBeforeStart = 16 * 1024 * 1024;

// Checks the structure of the database and tells the user plainly when the file is damaged:
// at once for a file up to the given size, otherwise from a background thread as soon as the
// check ends.
void checkDatabaseIntegrity(const QString& path, qint64 checkedBeforeStart = kCheckedBeforeStart);

// Ends the check running beside the program, and keeps one that gave way from being taken up
// again: the program works on another database now, or stops.
void stopDatabaseCheck();
