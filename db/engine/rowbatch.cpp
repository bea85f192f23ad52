#include "db/engine/rowbatch.h"

#include "db/engine/connection.h"
#include "db/engine/enginestatements.h"

#include <sqlite3.h>

namespace {

constexpr int kRowsPerInsert = 200;

QString insertStatement(const QString& table, const QStringList& columns, int rows) {
    const QString row = "(" + QStringList(int(columns.size()), "?").join(", ") + ")";
    return "INSERT INTO " + table + " (" + columns.join(", ") + ") VALUES " +
           QStringList(rows, row).join(", ");
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

int RowBatch::add(const QVariantList& row) {
    values_ += row;
    return ++pending_ == kRowsPerInsert ? flush() : 0;
}

int RowBatch::flush() {
    const int written = pending_;
    pending_ = 0;
    if (written == 0)
        return 0;
    if (written < kRowsPerInsert)
        runQuery(db_, insertStatement(table_, columns_, written), values_);
    else
        writeFull();
    values_.clear();
    return written;
}

void RowBatch::writeFull() {
    if (engineHandle(db_)) {
        if (!fileFull_)
            fileFull_ = prepareStatement(db_, insertStatement(table_, columns_, kRowsPerInsert));
        bindValues(fileFull_, values_);
        const int result = sqlite3_step(fileFull_);
        const std::optional<AppError> error =
            result == SQLITE_DONE ? std::nullopt : std::optional(engineError(fileFull_, result));
        sqlite3_reset(fileFull_);
        if (error)
            throw *error;
        return;
    }
    if (!full_) {
        full_.emplace(db_);
        if (!full_->prepare(insertStatement(table_, columns_, kRowsPerInsert)))
            throw databaseError(full_->lastError());
    }
    for (int i = 0; i < values_.size(); ++i)
        full_->bindValue(i, values_[i]);
    if (!full_->exec())
        throw databaseError(full_->lastError());
}
