#include "db/rowbatch.h"

#include "db/connection.h"

namespace {

constexpr int kRowsPerInsert = 200;

QString insertStatement(const QString& table, const QStringList& columns, int rows) {
    const QString row = "(" + QStringList(int(columns.size()), "?").join(", ") + ")";
    return "INSERT INTO " + table + " (" + columns.join(", ") + ") VALUES " +
           QStringList(rows, row).join(", ");
}

} // namespace

RowBatch::RowBatch(QSqlDatabase& db, const QString& table, const QStringList& columns)
    : db_(db), table_(table), columns_(columns) {}

int RowBatch::add(const QVariantList& row) {
    values_ += row;
    return ++pending_ == kRowsPerInsert ? flush() : 0;
}

int RowBatch::flush() {
    if (pending_ == 0)
        return 0;
    if (pending_ < kRowsPerInsert) {
        runQuery(db_, insertStatement(table_, columns_, pending_), values_);
    } else {
        if (!full_) {
            full_.emplace(db_);
            if (!full_->prepare(insertStatement(table_, columns_, pending_)))
                throw databaseError(full_->lastError());
        }
        for (int i = 0; i < values_.size(); ++i)
            full_->bindValue(i, values_[i]);
        if (!full_->exec())
            throw databaseError(full_->lastError());
    }
    values_.clear();
    const int written = pending_;
    pending_ = 0;
    return written;
}
