#include "support/jetwriter.h"

#include <QFile>
#include <QMap>
#include <QtEndian>
#include <memory>
#include <optional>
#include <stdexcept>

namespace {

constexpr int kPageSize = 4096;
constexpr int kDataHeader = 14; // type, free space, table page, 4 unknown, row count
constexpr int kMapSize = 64;    // a usage map row, as Access writes it
constexpr int kBitsPerMapPage = (kPageSize - 4) * 8;
constexpr quint16 kForwarded = 0x4000; // the place an updated row left, holding a pointer
constexpr quint16 kMovedHere = 0x8000; // the row itself, reached through that pointer
constexpr quint32 kNoKey = 0x4ebc8afb; // the stored key of a file without page encryption
constexpr quint32 kTablesFolder = 0x0F000001;
constexpr quint32 kSystemFlags = 0x80000002;

void put16(QByteArray& bytes, int at, quint32 value) {
    qToLittleEndian<quint16>(quint16(value), bytes.data() + at);
}

void put32(QByteArray& bytes, int at, quint32 value) {
    qToLittleEndian<quint32>(value, bytes.data() + at);
}

void append16(QByteArray& bytes, quint32 value) {
    bytes.append(2, '\0');
    put16(bytes, int(bytes.size()) - 2, value);
}

void append32(QByteArray& bytes, quint32 value) {
    bytes.append(4, '\0');
    put32(bytes, int(bytes.size()) - 4, value);
}

QByteArray ucs2(const QString& text) {
    QByteArray bytes;
    for (const QChar c : text)
        append16(bytes, c.unicode());
    return bytes;
}

// Jet's compressed form: FF FE, then one byte per character below 256, a zero byte switching to
// two bytes per character and back. A character whose low byte is zero cannot be written so.
QByteArray encodeText(const QString& text, bool compress) {
    const QByteArray plain = ucs2(text);
    if (!compress)
        return plain;
    QByteArray packed("\xff\xfe", 2);
    bool narrow = true;
    for (const QChar c : text) {
        if ((c.unicode() & 0xff) == 0)
            return plain;
        const bool fits = c.unicode() < 0x100;
        if (fits != narrow) {
            packed.append('\0');
            narrow = fits;
        }
        if (narrow)
            packed.append(char(c.unicode()));
        else
            append16(packed, c.unicode());
    }
    return packed.size() < plain.size() ? packed : plain;
}

bool variable(JetType type) {
    return type == JetType::Text || type == JetType::LongBinary;
}

int variableColumns(const JetTable& table) {
    int count = 0;
    for (const JetColumn& column : table.columns)
        count += variable(column.type);
    return count;
}

// num_cols, the fixed columns, the texts, then from the end: the null mask, before it the number
// of texts, their offsets last to first and the end of the text data.
QByteArray encodeRow(const JetTable& table, const QVariantList& values, bool compress) {
    const int count = int(table.columns.size());
    QByteArray row;
    append16(row, quint32(count));
    QByteArray nullMask((count + 7) / 8, '\0');
    const auto present = [&](int i) { nullMask[i / 8] = char(nullMask[i / 8] | (1 << (i % 8))); };
    for (int i = 0; i < count; ++i) {
        const QVariant& value = values.value(i);
        if (table.columns[i].type == JetType::Long) {
            append32(row, value.isNull() ? 0u : quint32(value.toInt()));
            if (!value.isNull())
                present(i);
        } else if (table.columns[i].type == JetType::Boolean && value.toBool()) {
            present(i);
        }
    }
    QList<int> offsets;
    for (int i = 0; i < count; ++i) {
        if (!variable(table.columns[i].type))
            continue;
        offsets << int(row.size());
        if (table.columns[i].type == JetType::Text && !values.value(i).isNull()) {
            row += encodeText(values.value(i).toString(), compress);
            present(i);
        }
    }
    if (!offsets.isEmpty()) {
        append16(row, quint32(row.size()));
        for (auto offset = offsets.crbegin(); offset != offsets.crend(); ++offset)
            append16(row, quint32(*offset));
        append16(row, quint32(offsets.size()));
    }
    return row + nullMask;
}

class DataPage {
  public:
    DataPage(quint32 tablePage, int maxRows) : tablePage_(tablePage), maxRows_(maxRows) {}

    bool fits(int size) const { return rows_.size() < maxRows_ && used_ + 2 + size <= kPageSize; }
    bool isEmpty() const { return rows_.isEmpty(); }

    int add(const QByteArray& row, quint16 flags = 0) {
        rows_ << row;
        flags_ << flags;
        used_ += 2 + int(row.size());
        return int(rows_.size()) - 1;
    }

    // Rows are laid from the end of the page towards its header.
    int rowStart(int index) const {
        int end = kPageSize;
        for (int i = 0; i <= index; ++i)
            end -= int(rows_[i].size());
        return end;
    }

    QByteArray bytes() const {
        QByteArray page(kPageSize, '\0');
        page[0] = 0x01;
        page[1] = 0x01;
        put16(page, 2, quint32(kPageSize - used_));
        put32(page, 4, tablePage_);
        put16(page, 12, quint32(rows_.size()));
        int end = kPageSize;
        for (int i = 0; i < rows_.size(); ++i) {
            end -= int(rows_[i].size());
            page.replace(end, int(rows_[i].size()), rows_[i]);
            put16(page, kDataHeader + 2 * i, quint32(end) | flags_[i]);
        }
        return page;
    }

  private:
    quint32 tablePage_;
    int maxRows_;
    int used_ = kDataHeader;
    QList<QByteArray> rows_;
    QList<quint16> flags_;
};

class PageFile {
  public:
    explicit PageFile(const QString& path) : file_(path) {
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw std::runtime_error("cannot write " + path.toStdString());
    }

    quint32 reserve() { return pages_++; }

    void write(quint32 page, const QByteArray& bytes, int at = 0) {
        if (!file_.seek(qint64(page) * kPageSize + at) || file_.write(bytes) != bytes.size())
            throw std::runtime_error("cannot write " + file_.fileName().toStdString());
    }

    quint32 append(const QByteArray& bytes) {
        const quint32 page = reserve();
        write(page, bytes);
        return page;
    }

  private:
    QFile file_;
    quint32 pages_ = 0;
};

struct WrittenTable {
    quint32 definitionPage = 0;
    QList<quint32> dataPages;
    qint64 rows = 0;
    qint64 nextNumber = 1;
};

class TableWriter {
  public:
    // The catalog's definition page is fixed; every other table's is the next free page.
    TableWriter(PageFile& file, const JetTable& table, const JetFileOptions& options,
                std::optional<quint32> definitionPage = {})
        : file_(file), table_(table), options_(options) {
        written_.definitionPage = definitionPage ? *definitionPage : file_.reserve();
    }

    WrittenTable write() {
        QByteArray moved;
        for (qint64 i = 0; i < table_.rowCount; ++i) {
            const QVariantList values = table_.row(i);
            countNumber(values);
            const QByteArray row = encodeRow(table_, values, options_.compressText);
            if (i == table_.movedRow) {
                moved = row;
                pointerRow_ = place(QByteArray(4, '\0'), kForwarded);
                pointerPage_ = pageNumber_;
            } else {
                place(row, 0);
            }
        }
        if (!moved.isEmpty())
            forward(moved);
        flush();
        written_.rows = table_.rowCount;
        return written_;
    }

  private:
    void countNumber(const QVariantList& values) {
        for (int i = 0; i < table_.columns.size(); ++i)
            if (table_.columns[i].autoIncrement && !values.value(i).isNull())
                written_.nextNumber = qMax(written_.nextNumber, values[i].toLongLong() + 1);
    }

    int place(const QByteArray& row, quint16 flags) {
        if (page_ && !page_->fits(int(row.size())))
            flush();
        if (!page_) {
            page_ = std::make_unique<DataPage>(written_.definitionPage, options_.rowsPerPage);
            pageNumber_ = file_.reserve();
        }
        return page_->add(row, flags);
    }

    // The updated row on a later page, and its old place pointing there.
    void forward(const QByteArray& row) {
        flush();
        const int target = place(row, kMovedHere);
        QByteArray pointer;
        append32(pointer, (pageNumber_ << 8) | quint32(target));
        file_.write(pointerPage_, pointer, pointerStart_);
    }

    void flush() {
        if (!page_)
            return;
        if (pointerRow_ >= 0 && pointerPage_ == pageNumber_)
            pointerStart_ = page_->rowStart(pointerRow_);
        file_.write(pageNumber_, page_->bytes());
        written_.dataPages << pageNumber_;
        page_.reset();
    }

    PageFile& file_;
    const JetTable& table_;
    const JetFileOptions& options_;
    WrittenTable written_;
    std::unique_ptr<DataPage> page_;
    quint32 pageNumber_ = 0;
    int pointerRow_ = -1;
    quint32 pointerPage_ = 0;
    int pointerStart_ = 0;
};

// The pages a table owns: a bitmap from its first page when they lie close together, otherwise
// a list of bitmap pages, each for its own stretch of the file.
QByteArray usageMap(PageFile& file, const QList<quint32>& pages) {
    QByteArray map(kMapSize, '\0');
    if (pages.isEmpty())
        return map;
    const quint32 first = pages.first();
    if (pages.last() - first < quint32(kMapSize - 5) * 8) {
        put32(map, 1, first);
        for (const quint32 page : pages)
            map[5 + (page - first) / 8] =
                char(map[5 + (page - first) / 8] | (1 << ((page - first) % 8)));
        return map;
    }
    map[0] = 0x01;
    QMap<quint32, QByteArray> bitmaps;
    for (const quint32 page : pages) {
        QByteArray& bitmap = bitmaps[page / kBitsPerMapPage];
        if (bitmap.isEmpty()) {
            bitmap = QByteArray(kPageSize, '\0');
            bitmap[0] = 0x05;
            bitmap[1] = 0x01;
        }
        const quint32 bit = page % kBitsPerMapPage;
        bitmap[4 + bit / 8] = char(bitmap[4 + bit / 8] | (1 << (bit % 8)));
    }
    for (auto bitmap = bitmaps.cbegin(); bitmap != bitmaps.cend(); ++bitmap) {
        if (bitmap.key() >= quint32(kMapSize - 1) / 4)
            throw std::runtime_error("file too large for the usage map");
        put32(map, 1 + int(bitmap.key()) * 4, file.append(bitmap.value()));
    }
    return map;
}

QByteArray columnEntry(const JetColumn& column, int number, int varIndex, int fixedOffset,
                       bool compress) {
    QByteArray entry(25, '\0');
    const bool text = column.type == JetType::Text;
    const bool fixed = !variable(column.type);
    static const char kTypes[] = {0x04, 0x0A, 0x01, 0x0B};
    entry[0] = kTypes[int(column.type)];
    put16(entry, 5, quint32(number));
    put16(entry, 7, quint32(fixed ? 0 : varIndex));
    put16(entry, 9, quint32(number));
    if (text)
        put16(entry, 11, 0x0401); // Arabic sort order
    entry[15] = char((fixed ? 0x03 : 0x02) | (column.autoIncrement ? 0x04 : 0));
    entry[16] = char(text && compress ? 0x01 : 0);
    put16(entry, 21, quint32(fixedOffset));
    const int sizes[] = {4, column.chars * 2, 1, 0};
    put16(entry, 23, quint32(sizes[int(column.type)]));
    return entry;
}

QByteArray tableDefinition(const JetTable& table, const WrittenTable& written, quint32 usedMap,
                           quint32 freeMap, bool system, bool compress) {
    const int count = int(table.columns.size());
    QByteArray page(63, '\0');
    page[0] = 0x02;
    page[1] = 0x01;
    put32(page, 16, quint32(written.rows));
    put32(page, 20, quint32(written.nextNumber));
    page[24] = 0x01;
    page[40] = char(system ? 0x53 : 0x4e);
    put16(page, 41, quint32(count));
    put16(page, 43, quint32(variableColumns(table)));
    put16(page, 45, quint32(count));
    put32(page, 55, usedMap);
    put32(page, 59, freeMap);
    int varIndex = 0;
    int fixedOffset = 0;
    for (int i = 0; i < count; ++i) {
        const JetColumn& column = table.columns[i];
        page += columnEntry(column, i, varIndex, fixedOffset, compress);
        varIndex += variable(column.type);
        fixedOffset += column.type == JetType::Long ? 4 : 0;
    }
    for (const JetColumn& column : table.columns) {
        append16(page, quint32(column.name.size() * 2));
        page += ucs2(column.name);
    }
    append16(page, 0xffff);
    if (page.size() > kPageSize)
        throw std::runtime_error("table definition larger than a page");
    put32(page, 8, quint32(page.size()));
    put16(page, 2, quint32(kPageSize - page.size()));
    page.append(kPageSize - page.size(), '\0');
    return page;
}

QByteArray headerPage() {
    QByteArray page(kPageSize, '\0');
    page[1] = 0x01;
    page.replace(4, 16, QByteArray("Standard Jet DB\0", 16));
    put32(page, 0x14, 0x01); // Jet 4
    put16(page, 0x3c, 1256);
    put32(page, 0x3e, kNoKey);
    put32(page, 0x6e, 0x0401);
    return page;
}

JetTable catalogTable(const QList<JetTable>& tables, const QList<WrittenTable>& written) {
    QList<QVariantList> rows{{2, kTablesFolder, "MSysObjects", 1, qint64(kSystemFlags)}};
    for (int i = 0; i < tables.size(); ++i)
        rows << QVariantList{written[i].definitionPage, kTablesFolder, tables[i].name, 1, 0};
    return jetTable("MSysObjects",
                    {{"Id", JetType::Long},
                     {"ParentId", JetType::Long},
                     {"Name", JetType::Text, 128},
                     {"Type", JetType::Long},
                     {"Flags", JetType::Long},
                     {"LvProp", JetType::LongBinary}},
                    rows);
}

} // namespace

JetTable jetTable(const QString& name, const QList<JetColumn>& columns,
                  const QList<QVariantList>& rows) {
    return {name, columns, rows.size(), [rows](qint64 i) { return rows[int(i)]; }, -1};
}

void writeJetFile(const QString& path, const QList<JetTable>& tables,
                  const JetFileOptions& options) {
    PageFile file(path);
    file.write(file.reserve(), headerPage());
    const quint32 mapPage = file.reserve();
    const quint32 catalogPage = file.reserve(); // always page 2, where readers look for it
    QList<WrittenTable> written;
    for (const JetTable& table : tables)
        written << TableWriter(file, table, options).write();

    // The catalog's rows name each table's definition page; its own definition comes last.
    const JetTable catalog = catalogTable(tables, written);
    const JetFileOptions catalogOptions{options.compressText, 255};
    const WrittenTable catalogWritten =
        TableWriter(file, catalog, catalogOptions, catalogPage).write();

    DataPage maps(0, 255);
    const auto mapRow = [&](const QByteArray& map) {
        return (mapPage << 8) | quint32(maps.add(map));
    };
    const auto defineTable = [&](quint32 page, const JetTable& table, const WrittenTable& rows,
                                 bool system) {
        const quint32 used = mapRow(usageMap(file, rows.dataPages));
        const quint32 free = mapRow(QByteArray(kMapSize, '\0'));
        file.write(page, tableDefinition(table, rows, used, free, system, options.compressText));
    };
    for (int i = 0; i < tables.size(); ++i)
        defineTable(written[i].definitionPage, tables[i], written[i], false);
    defineTable(catalogPage, catalog, catalogWritten, true);
    file.write(mapPage, maps.bytes());
}
