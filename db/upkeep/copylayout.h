#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// A database file from outside (a backup chosen for a restore) is read only as rows of the
// program's own tables. What it must hold for that: each of the clinic's tables, as a table, with
// only the program's columns, each of the type the program declares it. A file of the older
// layout may lack what the upgrade adds; any other object in the file (a view, a trigger, a
// table of another program) is never read.

// The program's tables that a file holds, each with its columns in the file's order.
using FileLayout = QMap<QString, QStringList>;

// Reads the file's layout and checks it. What is not the program's raises AppError naming every
// table, column and type that is wrong; the file is only read.
FileLayout checkedLayout(const QString& path);

// True when the file's layout lacks something that the upgrade adds.
bool olderLayout(const FileLayout& layout);
