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
    if (engineHandle(db))
        single_ = prepareStatement(db, insertStatement(table, columns, 1));
}

RowBatch::~RowBatch() {
    if (single_)
        sqlite3_finalize(single_);
}

int RowBatch::add(const QVariantList& row) {
    if (single_) {
        bindValues(single_, row);
        const int result = sqlite3_step(single_);
        if (result != SQLITE_DONE) {
            const AppError error = engineError(single_, result);
            sqlite3_reset(single_);
            throw error;
        }
        sqlite3_reset(single_);
        if (++pending_ < kRowsPerInsert)
            return 0;
        pending_ = 0;
        return kRowsPerInsert;
    }
    values_ += row;
    return ++pending_ == kRowsPerInsert ? flush() : 0;
}

int RowBatch::flush() {
    const int written = pending_;
    pending_ = 0;
    if (written == 0 || single_)
        return written;
    if (written < kRowsPerInsert) {
        runQuery(db_, insertStatement(table_, columns_, written), values_);
    } else {
        if (!full_) {
            full_.emplace(db_);
            if (!full_->prepare(insertStatement(table_, columns_, written)))
                throw databaseError(full_->lastError());
        }
        for (int i = 0; i < values_.size(); ++i)
            full_->bindValue(i, values_[i]);
        if (!full_->exec())
            throw databaseError(full_->lastError());
    }
    values_.clear();
    return written;
}
