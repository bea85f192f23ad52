#include "db/upkeep/jetfile.h"

#include "core/apperror.h"

#include <QCoreApplication>
#include <QFile>
#include <QtEndian>
#include <mdbtools.h>

namespace {

constexpr int kJetUnreadable = 3343; // Jet's "Unrecognized database format"
constexpr int kPageSize = 4096;
constexpr int kOffsetMask = 0x1fff;
constexpr char kJetSignature[] = "Standard Jet DB";

QString unreadable(const QString& path, const QString& why) {
    return QCoreApplication::translate("Database",
                                       "The earlier program's database %1 cannot be read: %2")
        .arg(path, why);
}

// Jet's compressed Unicode: FF FE, then one byte per character below 256, a zero byte switching
// to two bytes per character and back; otherwise plain UCS-2. Given as UTF-8, as the copy stores
// it: the characters go into a buffer kept from field to field, then are encoded once.
QByteArray decodeText(const unsigned char* bytes, int size, QString& buffer) {
    // Never more characters than bytes.
    buffer.resize(size);
    QChar* const start = buffer.data();
    QChar* out = start;
    if (size >= 2 && bytes[0] == 0xff && bytes[1] == 0xfe) {
        bool narrow = true;
        for (int i = 2; i < size;) {
            if (bytes[i] == 0) {
                narrow = !narrow;
                ++i;
            } else if (narrow) {
                *out++ = QChar(bytes[i++]);
            } else if (i + 1 < size) {
                *out++ = QChar(qFromLittleEndian<quint16>(bytes + i));
                i += 2;
            } else {
                break;
            }
        }
    } else {
        for (int i = 0; i + 1 < size; i += 2)
            *out++ = QChar(qFromLittleEndian<quint16>(bytes + i));
    }
    // An empty text stays a text, not a null.
    if (out == start)
        return QByteArray("", 0);
    return QStringView(start, out).toUtf8();
}

JetColumnInfo::Kind kindOf(int type) {
    switch (type) {
    case MDB_LONGINT:
        return JetColumnInfo::Kind::Long;
    case MDB_TEXT:
        return JetColumnInfo::Kind::Text;
    case MDB_BOOL:
        return JetColumnInfo::Kind::Boolean;
    default:
        return JetColumnInfo::Kind::Other;
    }
}

QVariant fieldValue(const MdbColumn* column, const MdbField& field, QString& buffer) {
    if (column->col_type == MDB_BOOL)
        return !field.is_null;
    if (field.is_null)
        return {};
    const auto* bytes = static_cast<const unsigned char*>(field.value);
    switch (column->col_type) {
    case MDB_LONGINT:
        return field.siz == 4 ? QVariant(qint64(qFromLittleEndian<qint32>(bytes))) : QVariant();
    case MDB_TEXT:
        return decodeText(bytes, field.siz, buffer);
    default:
        return {};
    }
}

// A table's definition, read for one use.
class OpenTable {
  public:
    OpenTable(MdbHandle* mdb, const QString& path, const QString& table) {
        QByteArray name = table.toUtf8();
        open(path, table, mdb_read_table_by_name(mdb, name.data(), MDB_TABLE));
    }
    // The catalog itself, which always starts on page 2.
    OpenTable(MdbHandle* mdb, const QString& path) : catalog_{} {
        catalog_.mdb = mdb;
        catalog_.object_type = MDB_TABLE;
        catalog_.table_pg = 2;
        qstrncpy(catalog_.object_name, "MSysObjects", sizeof catalog_.object_name);
        open(path, "MSysObjects", mdb_read_table(&catalog_));
    }
    void open(const QString& path, const QString& table, MdbTableDef* read) {
        def = read;
        if (!def || !mdb_read_columns(def))
            throw AppError(kJetUnreadable,
                           unreadable(path, QCoreApplication::translate(
                                                "Database", "the table %1 cannot be read.")
                                                .arg(table)));
    }
    ~OpenTable() {
        if (def)
            mdb_free_tabledef(def);
    }
    OpenTable(const OpenTable&) = delete;
    OpenTable& operator=(const OpenTable&) = delete;

    MdbColumn* column(int i) const {
        return static_cast<MdbColumn*>(g_ptr_array_index(def->columns, i));
    }

    MdbTableDef* def = nullptr;

  private:
    MdbCatalogEntry catalog_{};
};

// Rows fetched beyond the table's recorded count, or fewer, mean a damaged or cut file.
void checkCount(const QString& path, const QString& table, qint64 read, qint64 recorded) {
    if (read != recorded)
        throw AppError(kJetUnreadable,
                       unreadable(path, QCoreApplication::translate(
                                            "Database", "the table %1 records %2 rows, but "
                                                        "only %3 can be read: the file is cut "
                                                        "short or damaged.")
                                            .arg(table)
                                            .arg(recorded)
                                            .arg(read)));
}

} // namespace

bool isJetFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(0x18);
    return head.size() == 0x18 && head[0] == 0 && head.mid(4, 15) == kJetSignature;
}

struct JetFile::Handle {
    MdbHandle* mdb = nullptr;
    ~Handle() {
        if (mdb)
            mdb_close(mdb);
    }
};

JetFile::JetFile(const QString& path) : handle_(std::make_unique<Handle>()), path_(path) {
    QFile file(path);
    if (!isJetFile(path) || !file.open(QIODevice::ReadOnly))
        throw AppError(kJetUnreadable, unreadable(path, QCoreApplication::translate(
                                                            "Database", "it is not a Jet file.")));
    if (file.size() % kPageSize != 0)
        throw AppError(kJetUnreadable,
                       unreadable(path, QCoreApplication::translate(
                                            "Database", "the file is cut short or damaged.")));
    handle_->mdb = mdb_open(QFile::encodeName(path).constData(), MDB_NOFLAGS);
    if (!handle_->mdb || !IS_JET4(handle_->mdb) || !mdb_read_catalog(handle_->mdb, MDB_TABLE))
        throw AppError(kJetUnreadable,
                       unreadable(path, QCoreApplication::translate(
                                            "Database", "it is not an Access 2000 (Jet 4) "
                                                        "database, or it is damaged.")));
    // The catalog read whole, or the tables it names cannot be trusted to be all.
    const OpenTable catalog(handle_->mdb, path);
    qint64 entries = 0;
    mdb_rewind_table(catalog.def);
    while (mdb_fetch_row(catalog.def))
        ++entries;
    checkCount(path, "MSysObjects", entries, catalog.def->num_rows);
}

JetFile::~JetFile() = default;

QStringList JetFile::tables() const {
    QStringList names;
    MdbHandle* mdb = handle_->mdb;
    for (unsigned int i = 0; i < mdb->num_catalog; ++i) {
        auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(mdb->catalog, i));
        if (mdb_is_user_table(entry))
            names << QString::fromUtf8(entry->object_name);
    }
    return names;
}

bool JetFile::hasTable(const QString& table) const {
    return tables().contains(table, Qt::CaseInsensitive);
}

QList<JetColumnInfo> JetFile::columns(const QString& table) {
    const OpenTable def(handle_->mdb, path_, table);
    QList<JetColumnInfo> columns;
    for (unsigned int i = 0; i < def.def->num_cols; ++i) {
        const MdbColumn* column = def.column(int(i));
        columns << JetColumnInfo{QString::fromUtf8(column->name), kindOf(column->col_type),
                                 column->col_size / 2};
    }
    return columns;
}

qint64 JetFile::recordedRows(const QString& table) {
    const OpenTable def(handle_->mdb, path_, table);
    return def.def->num_rows;
}

void JetFile::readRows(const QString& table, const std::function<void(const QVariantList&)>& row) {
    MdbHandle* mdb = handle_->mdb;
    const OpenTable def(mdb, path_, table);
    const int count = int(def.def->num_cols);
    std::vector<MdbField> fields(size_t(count) + 1);
    QVariantList values(count);
    QString buffer;
    qint64 read = 0;
    mdb_rewind_table(def.def);
    // libmdb finds the rows and skips the deleted and forwarded ones; the fields are taken apart
    // once more here because its bound values cannot tell a null text from an empty one.
    while (mdb_fetch_row(def.def)) {
        int start = 0;
        size_t size = 0;
        if (mdb_find_row(mdb, int(def.def->cur_row) - 1, &start, &size) != 0 ||
            mdb_crack_row(def.def, start & kOffsetMask, size, fields.data()) < 0)
            throw AppError(
                kJetUnreadable,
                unreadable(
                    path_,
                    QCoreApplication::translate("Database", "a row of %1 is damaged.").arg(table)));
        // Each row's values take the places of the last one's, not a list grown anew.
        QVariant* value = values.data();
        for (int i = 0; i < count; ++i)
            value[i] = fieldValue(def.column(fields[i].colnum), fields[i], buffer);
        row(values);
        ++read;
    }
    checkCount(path_, table, read, def.def->num_rows);
}
