#include "db/engine/rowsource.h"

#include "db/engine/connection.h"
#include "db/engine/enginestatements.h"
#include "db/engine/serverstatements.h"

#include <QSqlError>
#include <QSqlRecord>
#include <sqlite3.h>

namespace {
QStringList columnNames(const QSqlRecord& record) {
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}
} // namespace

QueryRows::QueryRows(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    // A streamed result would be cut off by the next statement on the connection, which a report
    // runs while it lays out its rows: a server's result is taken whole, in the client library's
    // compact form, and turned into values row by row.
    if (onServer(db)) {
        serverRows_.emplace(db, sql, values);
        columns_ = columnNames(serverRows_->query().record());
        return;
    }
    statement_ = prepareStatement(db, sql);
    try {
        bindValues(statement_, values);
    } catch (...) {
        sqlite3_finalize(statement_);
        throw;
    }
    columns_ = ::columnNames(statement_);
}

QueryRows::~QueryRows() {
    sqlite3_finalize(statement_);
}

bool QueryRows::next() {
    if (serverRows_) {
        onRow_ = serverRows_->query().next();
        if (!onRow_ && serverRows_->query().lastError().isValid())
            throw databaseError(serverRows_->query().lastError());
        return onRow_;
    }
    const int step = sqlite3_step(statement_);
    onRow_ = step == SQLITE_ROW;
    if (step != SQLITE_ROW && step != SQLITE_DONE)
        throw engineError(statement_, step);
    return onRow_;
}

QVariant QueryRows::value(int column) const {
    if (!onRow_ || column < 0 || column >= columns_.size())
        return QVariant();
    return serverRows_ ? serverValue(serverRows_->query(), column)
                       : columnValue(statement_, column);
}

RowSet::RowSet(QStringList columns, std::vector<QVariantList> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)) {}

RowSet RowSet::readAll(QSqlQuery& query) {
    const QStringList names = columnNames(query.record());
    std::vector<QVariantList> rows;
    while (query.next()) {
        QVariantList row;
        row.reserve(names.size());
        for (int i = 0; i < names.size(); ++i)
            row << query.value(i);
        rows.push_back(std::move(row));
    }
    return RowSet(names, std::move(rows));
}

int RowSet::columnIndex(const QString& name) const {
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool RowSet::next() {
    if (current_ + 1 >= rowCount())
        return false;
    ++current_;
    return true;
}

QVariant RowSet::value(int column) const {
    if (current_ < 0 || current_ >= rowCount())
        return QVariant();
    return rows_[current_].value(column);
}
