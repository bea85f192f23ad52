#pragma once

#include <QStringList>

// What mdbtools' own programs read from a Jet file, to prove the test files against a reader
// nobody here wrote. A failure of the tool fails the test that called it.

// The rows of a table as mdb-export gives them, each as its values joined with "|", the header
// row left out. A null and an empty text both come out empty.
QStringList mdbExportRows(const QString& path, const QString& table);
// The columns of a table as mdb-schema declares them, each "name type", e.g. "code Text (2)".
QStringList mdbSchemaColumns(const QString& path, const QString& table);
