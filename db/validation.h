#pragma once

#include <QString>

// True when the file is a database of this program: it opens and has the table po_desc.
// A failure is logged and answered false.
bool ValidDB(const QString& path);
// True when the database still has the older layout (no table po_descs), or cannot be read.
bool UpgradeNeeded(const QString& path);
