#include "binding/statements.h"

#include "binding/dataerrors.h"
#include "db/connection.h"

#include <QSqlError>
#include <QSqlRecord>

namespace {

// Finishes a statement however its reading ends, releasing the engine's read lock.
class Finisher {
  public:
    explicit Finisher(QSqlQuery& query) : query_(query) {}
    ~Finisher() { query_.finish(); }
    Finisher(const Finisher&) = delete;
    Finisher& operator=(const Finisher&) = delete;

  private:
    QSqlQuery& query_;
};

} // namespace

Statements::Statements(const QSqlDatabase& db) : db_(db) {}

QSqlQuery& Statements::run(const QString& sql, const QVariantList& values) {
    if (!db_.isOpen())
        throw DataErrors::notOpen();
    auto found = prepared_.find(sql);
    if (found == prepared_.end()) {
        QSqlQuery query(db_);
        query.setForwardOnly(true);
        if (!query.prepare(sql))
            throw databaseError(query.lastError());
        found = prepared_.insert(sql, query);
    }
    QSqlQuery& query = found.value();
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec()) {
        const AppError error = databaseError(query.lastError());
        query.finish();
        throw error;
    }
    return query;
}

QVector<Row> Statements::rows(const QString& sql, const QVariantList& values) {
    QSqlQuery& query = run(sql, values);
    Finisher finisher(query);
    const int columns = query.record().count();
    QVector<Row> result;
    while (query.next()) {
        Row row(columns);
        for (int i = 0; i < columns; ++i)
            row[i] = query.value(i);
        result.append(std::move(row));
    }
    if (query.lastError().isValid())
        throw databaseError(query.lastError());
    return result;
}

QStringList Statements::columnNames(const QString& sql, const QVariantList& values) {
    QSqlQuery& query = run(sql, values);
    Finisher finisher(query);
    const QSqlRecord record = query.record();
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}

Statements::Written Statements::write(const QString& sql, const QVariantList& values) {
    QSqlQuery& query = run(sql, values);
    Finisher finisher(query);
    return {query.lastInsertId().toLongLong(), query.numRowsAffected()};
}
