#pragma once

#include "db/upkeep/schema.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The names as the patient search compares them, kept in the table name_search_keys beside
// per_inf_data, one row per patient file under the file's row number. Arabic writers treat the
// alef with or without hamza or madda, ta marbuta and ha, alef maqsura and ya as one letter, and
// seldom type diacritics or the tatweel: the folded key writes each such letter one way and leaves
// the marks out. Latin text folds to itself. The stored names stay exactly as typed.

// The text folded as the keys are.
QString foldedForSearch(const QString& text);

// The table, and the triggers through which the engine keeps it current on every write of a
// patient file, whatever writes it; in the caller's transaction.
QStringList createSearchKeyStatements(const Dialect& dialect);
bool hasSearchKeys(const QSqlDatabase& db);

// Computes every patient file's keys anew, inside the caller's transaction: after rows were
// written around the triggers, or to mend keys that a program without them left behind.
void fillSearchKeys(const QSqlDatabase& db);

// Gives a database that has no keys yet its table, triggers and keys, in one transaction. A
// database that has them is not touched. Throws the engine's error.
void addSearchKeys(QSqlDatabase& db);
