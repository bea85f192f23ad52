#pragma once

#include "db/upkeep/schema.h"

#include <QSqlDatabase>
#include <vector>

// Keeps a database's indexes fit for the program that opens it: the indexes ordered by the
// Arabic collation are rebuilt when the collator's rules are not the ones they were built with
// (the file records that version), and the added indexes that the file lacks are created. All
// of it is one transaction, shown in a progress window when asked for; when the user cancels
// there, the file stays as it was and the result is false. A file that needs nothing is not
// written. Throws the engine's error.
bool upkeepIndexes(QSqlDatabase& db, bool showProgress);
// True when upkeepIndexes() would write.
bool indexesNeedUpkeep(const QSqlDatabase& db);
// The added indexes that the database, a file or a server, lacks.
std::vector<AddedIndexDef> missingIndexes(const QSqlDatabase& db);
