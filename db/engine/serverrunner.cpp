#include "db/engine/serverrunner.h"

#include "db/engine/connection.h"
#include "db/engine/serverstatements.h"

#include <QSqlRecord>

namespace {

// Ends a server statement's result however its use ends.
class Finisher {
  public:
    explicit Finisher(QSqlQuery& query) : query_(query) {}
    ~Finisher() { query_.finish(); }
    Finisher(const Finisher&) = delete;
    Finisher& operator=(const Finisher&) = delete;

  private:
    QSqlQuery& query_;
};

QStringList namesIn(const QSqlRecord& record) {
    QStringList names;
    for (int i = 0; i < record.count(); ++i)
        names << record.fieldName(i);
    return names;
}

QSqlQuery wholeResult(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    QSqlQuery query(db);
    if (!query.prepare(sql))
        throw databaseError(query.lastError());
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values[i]);
    if (!query.exec())
        throw databaseError(query.lastError());
    return query;
}

} // namespace

QVector<Row> ServerRunner::rows(const QString& sql, const QVariantList& values) {
    QSqlQuery& query = runServerStatement(db_, sql, values);
    Finisher finisher(query);
    const int columns = query.record().count();
    QVector<Row> result;
    while (query.next()) {
        Row row(columns);
        for (int i = 0; i < columns; ++i)
            row[i] = serverValue(query, i);
        result.append(std::move(row));
    }
    if (query.lastError().isValid())
        throw databaseError(query.lastError());
    return result;
}

QStringList ServerRunner::columnNames(const QString& sql, const QVariantList& values) {
    QSqlQuery& query = runServerStatement(db_, sql, values);
    Finisher finisher(query);
    return namesIn(query.record());
}

int ServerRunner::write(const QString& sql, const QVariantList& values) {
    QSqlQuery& query = runServerStatement(db_, sql, values);
    Finisher finisher(query);
    return query.numRowsAffected();
}

ServerRows::ServerRows(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
    : query_(wholeResult(db, sql, values)), columns_(namesIn(query_.record())) {}

bool ServerRows::next() {
    onRow_ = query_.next();
    if (!onRow_ && query_.lastError().isValid())
        throw databaseError(query_.lastError());
    return onRow_;
}

QVariant ServerRows::value(int column) const {
    if (!onRow_ || column < 0 || column >= columns_.size())
        return QVariant();
    return serverValue(query_, column);
}
