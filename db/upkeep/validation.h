#pragma once

#include <QString>

// True when the file is a database of this program: it opens and has the table po_desc.
// A failure is logged and answered false.
bool ValidDB(const QString& path);
// True when another program keeps the file locked, so that it cannot even be read: the file may
// well be valid, only busy.
bool databaseBusy(const QString& path);
// What the user is told about a database that another program keeps busy.
QString busyDatabaseText(const QString& path);
// True when the database still has the older layout (no table po_descs), or cannot be read.
bool UpgradeNeeded(const QString& path);
