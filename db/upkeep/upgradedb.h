#pragma once

#include <QString>
#include <functional>

// Takes a verified copy of the database before its layout (tables, columns, indexes) changes;
// false when none could be made, and the change is then not made. Every change of a file's
// layout asks it right before it writes.
using CopyBeforeLayoutChange = std::function<bool()>;

// Brings a database of the older layout (no table po_descs) up to the current schema, in one
// transaction, keeping its rows. True when it did; a failure is logged and leaves the file as it
// was, as does a copy that could not be made first.
bool convertOlderLayout(const QString& path, const CopyBeforeLayoutChange& copyFirst);

// On any database file: stores "not temporary" for the patient files whose flag was left empty,
// gives a file without them its payment tables and brings the indexes up to date (the added ones
// created, the collated ones rebuilt after the collator changed). On a file or a server (a
// location as the connection takes it): adds the folded names that the patient search compares.
// Each change of the layout only once copyFirst has taken its copy.
void bringUpToDate(const QString& location, const CopyBeforeLayoutChange& copyFirst);
