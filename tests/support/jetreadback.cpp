#include "support/jetreadback.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTest>

namespace {

QString toolOutput(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        QTest::qFail(qPrintable(tool + " failed: " + process.readAllStandardError()), __FILE__,
                     __LINE__);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// One CSV line of mdb-export: fields split at commas outside quotes, quotes taken off.
QString csvFields(const QString& line) {
    QStringList fields{QString()};
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == '"' && quoted && i + 1 < line.size() && line[i + 1] == '"') {
            fields.last() += c;
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields << QString();
        } else {
            fields.last() += c;
        }
    }
    return fields.join("|");
}

} // namespace

QStringList mdbExportRows(const QString& path, const QString& table) {
    QStringList lines = toolOutput("mdb-export", {path, table}).split('\n', Qt::SkipEmptyParts);
    QStringList rows;
    for (int i = 1; i < lines.size(); ++i)
        rows << csvFields(lines[i]);
    return rows;
}

QStringList mdbSchemaColumns(const QString& path, const QString& table) {
    const QString schema = toolOutput("mdb-schema", {"--no-relations", path, "access"});
    const int start = schema.indexOf("CREATE TABLE [" + table + "]");
    const int end = schema.indexOf(");", start);
    QStringList columns;
    if (start < 0)
        return columns;
    static const QRegularExpression column(R"(\[(\w+)\]\s+([^,\n]+?),?\s*$)",
                                           QRegularExpression::MultilineOption);
    auto match = column.globalMatch(schema.mid(start, end - start));
    match.next(); // the table's own name
    while (match.hasNext()) {
        const auto found = match.next();
        columns << found.captured(1) + " " + found.captured(2).trimmed();
    }
    return columns;
}
