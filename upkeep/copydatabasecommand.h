#pragma once

#include <QStringList>

// korvel --copy-database FROM TO: copies a clinic's database between a file and a PostgreSQL
// server without a display, telling its progress and outcome on the standard error. Returns the
// program's exit code: 0 only when the copy was made and checked.
int runCopyDatabaseCommand(const QStringList& arguments);
