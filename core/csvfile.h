#pragma once

#include <QSaveFile>
#include <QStringList>
#include <QVariant>

// A file for spreadsheet programs and the accountant: UTF-8 after a byte-order mark (so that
// Arabic names are read as such), fields separated by commas and quoted as RFC 4180 asks, lines
// ended by CR LF. Nothing stands at the path until commit(): a file given up on, or whose writing
// failed, leaves no file behind.
// A stored value as a cell: a text that a spreadsheet would take for a formula (one beginning
// with =, +, -, @, a tab or a carriage return) gets the usual leading apostrophe, so that it is
// read as the text it is; numbers, and dates and other texts, stand as they are.
QString csvCell(const QVariant& value);

class CsvFile {
  public:
    // Raises AppError when the file cannot be made.
    explicit CsvFile(const QString& path);
    void writeRow(const QStringList& fields);
    // Puts the finished file in place; raises AppError when it cannot be written.
    void commit();

  private:
    QSaveFile file_;
    QByteArray pending_;
};
