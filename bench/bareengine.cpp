#include "bareengine.h"

#include "db/engine/connection.h"

#include <QHash>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

namespace {

// Keeps the compiler from dropping reads whose values nobody looks at.
volatile std::size_t gSink = 0;

void bind(sqlite3_stmt* statement, int index, const QVariant& value) {
    if (value.isNull()) {
        sqlite3_bind_null(statement, index);
    } else if (value.typeId() == QMetaType::QString) {
        const QByteArray text = value.toString().toUtf8();
        sqlite3_bind_text(statement, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_int64(statement, index, value.toLongLong());
    }
}

} // namespace

BareEngine::BareEngine(const QString& path) {
    // Without the connection's own lock, as Qt's driver opens the program's connections: with it,
    // every value read takes and frees a lock that the program never pays for.
    if (sqlite3_open_v2(path.toUtf8().constData(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        fail();
    // The schema declares the collation on its text columns: without it no query runs.
    registerArabicCollation(db_);
}

BareEngine::~BareEngine() {
    sqlite3_close_v2(db_);
}

void BareEngine::fail() const {
    std::fprintf(stderr, "engine: %s\n", sqlite3_errmsg(db_));
    std::exit(1);
}

sqlite3_stmt* BareEngine::prepared(const char* sql, const QVariantList& values) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK)
        fail();
    for (int i = 0; i < values.size(); ++i)
        bind(statement, i + 1, values[i]);
    return statement;
}

int BareEngine::read(const char* sql, const QVariantList& values, int limit) {
    sqlite3_stmt* statement = prepared(sql, values);
    const int columns = sqlite3_column_count(statement);
    int rows = 0;
    std::size_t bytes = 0;
    int step = SQLITE_ROW;
    while ((limit < 0 || rows < limit) && (step = sqlite3_step(statement)) == SQLITE_ROW) {
        ++rows;
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(statement, c) == SQLITE_INTEGER)
                bytes += std::size_t(sqlite3_column_int64(statement, c));
            else if (const unsigned char* text = sqlite3_column_text(statement, c))
                bytes += text[0] + std::size_t(sqlite3_column_bytes(statement, c));
        }
    }
    if (step != SQLITE_ROW && step != SQLITE_DONE)
        fail();
    sqlite3_finalize(statement);
    gSink = gSink + bytes;
    return rows;
}

void BareEngine::run(const char* sql, const QVariantList& values) {
    sqlite3_stmt* statement = prepared(sql, values);
    const int step = sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE && step != SQLITE_ROW)
        fail();
}

QVector<QStringList> BareEngine::texts(const char* sql, const QVariantList& values, int limit) {
    sqlite3_stmt* statement = prepared(sql, values);
    QVector<QStringList> rows;
    int step = SQLITE_ROW;
    while (rows.size() < limit && (step = sqlite3_step(statement)) == SQLITE_ROW) {
        QStringList& row = rows.emplace_back();
        for (int c = 0; c < sqlite3_column_count(statement); ++c)
            row << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(statement, c)),
                sqlite3_column_bytes(statement, c));
    }
    sqlite3_finalize(statement);
    if (step != SQLITE_ROW && step != SQLITE_DONE)
        fail();
    return rows;
}

qint64 BareEngine::number(const char* sql, const QVariantList& values) {
    sqlite3_stmt* statement = prepared(sql, values);
    if (sqlite3_step(statement) != SQLITE_ROW)
        fail();
    const qint64 value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return value;
}
