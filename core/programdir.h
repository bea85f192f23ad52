#pragma once

#include <QDate>
#include <QString>

// The directory that holds errors.log and where new databases are made: the executable's
// directory when it can be written and is not an installed program's bin directory, otherwise
// the per-user data directory.
QString programDir();
void setProgramDir(const QString& directory);

// Today's date; tests fix it.
QDate today();
void setToday(const QDate& date);

// True when an ordinary file exists at the path (directories do not count).
bool fileExists(const QString& path);
