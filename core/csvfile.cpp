#include "core/csvfile.h"

#include "core/filefailure.h"
#include "core/ownerfiles.h"

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>

namespace {

// Rows are handed to the file in blocks of about this size, so that a long list is written at
// the disk's pace while its memory stays that of one block.
constexpr int kBlockBytes = 1 << 16;

QString quoted(const QString& field) {
    static const QString needsQuotes = QStringLiteral(",\"\r\n");
    if (std::none_of(field.begin(), field.end(), [](QChar c) { return needsQuotes.contains(c); }))
        return field;
    return '"' + QString(field).replace('"', "\"\"") + '"';
}

bool startsLikeAFormula(const QString& text) {
    static const QString starts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && starts.contains(text.front());
}

} // namespace

QString csvCell(const QVariant& value) {
    const QString text = value.toString();
    if (value.typeId() != QMetaType::QString || !startsLikeAFormula(text))
        return text;
    return '\'' + text;
}

CsvFile::CsvFile(const QString& path) : file_(path) {
    errno = 0;
    if (!file_.open(QIODevice::WriteOnly) || !file_.setPermissions(OwnerFiles::modeFor(path)))
        throw fileNotWritten(file_, errno);
    pending_ = QByteArrayLiteral("\xEF\xBB\xBF");
}

void CsvFile::writeRow(const QStringList& fields) {
    QStringList line;
    for (const QString& field : fields)
        line << quoted(field);
    pending_ += line.join(',').toUtf8() + "\r\n";
    if (pending_.size() < kBlockBytes)
        return;
    errno = 0;
    if (file_.write(pending_) != pending_.size())
        throw fileNotWritten(file_, errno);
    pending_.clear();
}

void CsvFile::commit() {
    errno = 0;
    if (file_.write(pending_) != pending_.size() || !file_.commit())
        throw fileNotWritten(file_, errno);
}
