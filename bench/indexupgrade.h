#pragma once

#include <QString>

// The upgrade that a file of twenty years gets on its first start with the added indexes: the
// copy is taken back to a file made without them (no added index, no record of the collator)
// and the program's upkeep brings it up to date, which also rebuilds every collated index.
// Returns the seconds that took.
double timeIndexUpgrade(const QString& databasePath);
