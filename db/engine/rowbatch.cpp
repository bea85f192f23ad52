#include "db/engine/rowbatch.h"

#include "db/engine/connection.h"
#include "db/engine/enginestatements.h"
#include "db/engine/statements.h"

#include <sqlite3.h>

namespace {

constexpr int kRowsPerInsert = 200;

QString insertStatement(const QString& table, const QStringList& columns, int rows) {
    const QString row = "(" + QStringList(int(columns.size()), "?").join(", ") + ")";
    return "INSERT INTO " + table + " (" + columns.join(", ") + ") VALUES " +
           QStringList(rows, row).join(", ");
}

// The batch keeps its values until the statement has run, so the engine need not copy them.
int bindValue(sqlite3_stmt* statement, int index, const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return sqlite3_bind_null(statement, index);
    case QMetaType::QByteArray: {
        const auto* text = static_cast<const QByteArray*>(value.constData());
        return sqlite3_bind_text(statement, index, text->constData(), int(text->size()),
                                 SQLITE_STATIC);
    }
    case QMetaType::QString: {
        const auto* text = static_cast<const QString*>(value.constData());
        if (text->isNull())
            return sqlite3_bind_null(statement, index);
        return sqlite3_bind_text16(statement, index, text->constData(),
                                   int(text->size() * sizeof(QChar)), SQLITE_STATIC);
    }
    default:
        return value.isNull() ? sqlite3_bind_null(statement, index)
                              : sqlite3_bind_int64(statement, index, value.toLongLong());
    }
}

} // namespace

RowBatch::RowBatch(QSqlDatabase& db, const QString& table, const QStringList& columns)
    : db_(db), table_(table), columns_(columns) {
    values_.reserve(kRowsPerInsert * columns.size());
}

RowBatch::~RowBatch() {
    if (fileFull_)
        sqlite3_finalize(fileFull_);
}

int RowBatch::add(QVariantList&& row) {
    values_.append(std::move(row));
    return ++pending_ == kRowsPerInsert ? flush() : 0;
}

int RowBatch::flush() {
    const int written = pending_;
    pending_ = 0;
    if (written == 0)
        return 0;
    if (engineHandle(db_))
        writeToFile(written);
    else
        writeToServer(written);
    values_.clear();
    return written;
}

void RowBatch::writeToFile(int rows) {
    if (rows == kRowsPerInsert && !fileFull_)
        fileFull_ = prepareStatement(db_, insertStatement(table_, columns_, rows));
    sqlite3_stmt* statement = rows == kRowsPerInsert
                                  ? fileFull_
                                  : prepareStatement(db_, insertStatement(table_, columns_, rows));
    int result = SQLITE_OK;
    for (int i = 0; i < values_.size() && result == SQLITE_OK; ++i)
        result = bindValue(statement, i + 1, values_[i]);
    if (result == SQLITE_OK)
        result = sqlite3_step(statement);
    const std::optional<AppError> error =
        result == SQLITE_DONE ? std::nullopt : std::optional(engineError(statement, result));
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (statement != fileFull_)
        sqlite3_finalize(statement);
    if (error)
        throw *error;
}

void RowBatch::writeToServer(int rows) {
    if (rows < kRowsPerInsert) {
        Statements(db_).write(insertStatement(table_, columns_, rows), values_);
        return;
    }
    if (!full_) {
        full_.emplace(db_);
        if (!full_->prepare(insertStatement(table_, columns_, rows)))
            throw databaseError(full_->lastError());
    }
    for (int i = 0; i < values_.size(); ++i)
        full_->bindValue(i, values_[i]);
    if (!full_->exec())
        throw databaseError(full_->lastError());
}
