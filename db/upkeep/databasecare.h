#pragma once

#include <QString>

// What the database at a location looks after by itself, and so what the program leaves to it. A
// server's database is kept by the server; a file is kept by the program.

// True when the database keeps its own backups (the server's tools): the program copies nothing.
bool keepsOwnBackups(const QString& location);
// True when the database is compacted where it stands, with no copy written and no connection to
// give up first.
bool compactsInPlace(const QString& location);
// True when the database checks and keeps its own storage: the program watches nothing.
bool watchesOwnIntegrity(const QString& location);
// True when a long read of the whole database is made on a connection of its own; false where
// only the shared connection sees the working tables of the invoice being written.
bool readsOnceApart(const QString& location);
