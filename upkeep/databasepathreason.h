#pragma once

#include <QString>

// Why the database of the settings cannot be used where the settings look for it: no folder, a
// relative one, a file or a missing folder in its place, or something other than a file under
// the database's name. Empty when the folder is usable and merely holds no database yet.
QString unusableDatabasePathReason(const QString& dbpath, const QString& databaseFilePath);
