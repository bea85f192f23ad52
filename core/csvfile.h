#pragma once

#include <QSaveFile>
#include <QStringList>

// A file for spreadsheet programs and the accountant: UTF-8 after a byte-order mark (so that
// Arabic names are read as such), fields separated by commas and quoted as RFC 4180 asks, lines
// ended by CR LF. Nothing stands at the path until commit(): a file given up on, or whose writing
// failed, leaves no file behind.
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
