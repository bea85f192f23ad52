#pragma once

#include "core/apperror.h"

#include <QString>

// The engine's own check of a database file's structure, which finds damage that ordinary reads
// pass over until they reach it.

// What the check found wrong, in the engine's words; empty when the file is sound. A file that
// cannot be checked raises AppError. A file that the program works on gives way to its saves (see
// below); a copy of it, which nothing else writes, is checked to its end.
enum class CheckedFile { InUse, Copy };
QString damageFound(const QString& path, CheckedFile file = CheckedFile::InUse);
// A check reads the whole file under one read lock, which keeps every save waiting: a writer that
// has to wait asks the running check to give way. A check that gave way raises this error.
constexpr int kCheckGaveWay = 9;
void askRunningCheckToGiveWay();

// What the user is told of a damaged file, and the error that refuses to work on it.
QString damagedDatabaseText(const QString& path, const QString& finding);
AppError damagedDatabase(const QString& path, const QString& finding);
