#pragma once

#include <QString>

// The engine's own check of a database file's structure, which finds damage that ordinary reads
// pass over until they reach it.

// What the check found wrong, in the engine's words; empty when the file is sound. A file that
// cannot be checked raises AppError.
QString damageFound(const QString& path);
// A check reads the whole file under one read lock, which keeps every save waiting: a writer that
// has to wait asks the running check to give way. A check that gave way raises this error.
constexpr int kCheckGaveWay = 9;
void askRunningCheckToGiveWay();

// What the user is told about a damaged file.
QString damagedDatabaseText(const QString& path, const QString& finding);
