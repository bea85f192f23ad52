#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>

// The earlier program's database: a Jet (Access) file, read through mdbtools' libmdb. It is read
// only, as rows, never written.

// By its first page, whatever the file is called.
bool isJetFile(const QString& path);

struct JetColumnInfo {
    enum class Kind { Long, Text, Boolean, Other };
    QString name;
    Kind kind;
    int chars; // a text column's size in characters
};

class JetFile {
  public:
    // Raises AppError when the file cannot be opened or is not a Jet 4 database.
    explicit JetFile(const QString& path);
    ~JetFile();
    JetFile(const JetFile&) = delete;
    JetFile& operator=(const JetFile&) = delete;

    // The user tables, as the file's catalog names them.
    QStringList tables() const;
    bool hasTable(const QString& table) const;
    QList<JetColumnInfo> columns(const QString& table);
    // The row count that the table's definition records.
    qint64 recordedRows(const QString& table);
    // Every row of the table in stored order, one at a time: a Long as qint64, a text as its
    // UTF-8 bytes (a QByteArray, empty but never null for an empty text), a Boolean as bool, a null
    // as an invalid QVariant; other types as null. Raises AppError when a row cannot be read or
    // fewer rows come than the table records (a damaged or cut file).
    void readRows(const QString& table, const std::function<void(const QVariantList&)>& row);

  private:
    struct Handle;
    std::unique_ptr<Handle> handle_;
    QString path_;
};
