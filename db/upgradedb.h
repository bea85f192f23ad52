#pragma once

#include <QString>

// Brings a database of the older layout (no table po_descs) up to the current schema, in one
// transaction, keeping its rows. True when it did; a failure is logged and leaves the file as it
// was.
bool convertOlderLayout(const QString& path);

// On any database file: stores "not temporary" for the patient files whose flag was left empty,
// and brings the indexes up to date (the added ones created, the collated ones rebuilt after the
// collator changed). On a file or a server (a location as the connection takes it): adds the
// folded names that the patient search compares.
void bringUpToDate(const QString& location);

// True when bringing the file up to date would add the folded names, which changes its layout.
bool searchKeysNeeded(const QString& path);
