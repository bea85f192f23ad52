#pragma once

#include <QString>
#include <QVariantList>
#include <functional>

// A Jet 4 (Access 2000) database file written from the page format that mdbtools documents, so
// that the tests hold files of the earlier program without the earlier program. Only what the
// clinic's tables use: Long, Text(n) and Boolean columns, no indexes.

// LongBinary only for the catalog's properties, always null here.
enum class JetType { Long, Text, Boolean, LongBinary };

struct JetColumn {
    QString name;
    JetType type;
    int chars = 0; // a text column's size in characters
    bool autoIncrement = false;
};

struct JetTable {
    QString name;
    QList<JetColumn> columns;
    // The rows, streamed: row(i) for i below rowCount. A null QVariant is a null value.
    qint64 rowCount = 0;
    std::function<QVariantList(qint64)> row;
    // This row is stored as a years-old file holds an updated row that no longer fitted its page:
    // a forwarding pointer in its first place, the row itself on the table's last page.
    qint64 movedRow = -1;
};

struct JetFileOptions {
    // Text written in Jet's compressed Unicode wherever that is shorter, as Access does when the
    // column asks for it; otherwise plain UCS-2.
    bool compressText = true;
    // Rows per data page at most, so that small tables span several pages.
    int rowsPerPage = 255;
};

// Writes the file anew; raises std::runtime_error when it cannot be written.
void writeJetFile(const QString& path, const QList<JetTable>& tables,
                  const JetFileOptions& options = {});

// A table whose rows are the given list.
JetTable jetTable(const QString& name, const QList<JetColumn>& columns,
                  const QList<QVariantList>& rows);
