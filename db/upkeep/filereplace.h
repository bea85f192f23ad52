#pragma once

#include <QString>

// Puts a finished copy in the place of a database file in one step: at every moment either the
// old or the new file stands at the path. The copy takes over the old file's mode, and its group
// where the user may give it (a database shared with the clinic's group stays shared). A failure
// raises AppError and leaves the old file in place. A file reached through a symbolic link, or
// with a second name, is written in place instead, so that every name keeps leading to it.
void replaceWithCopy(const QString& file, const QString& copy);
