#include "db/engine/serverrunner.h"

#include "db/engine/connection.h"
#include "db/engine/serverresult.h"
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

} // namespace

QVector<Row> ServerRunner::rows(const QString& sql, const QVariantList& values) {
    QSqlQuery& query = runServerStatement(db_, sql, values);
    Finisher finisher(query);
    const QVector<Row> result = serverResultRows(query);
    if (query.lastError().isValid())
        throw databaseError(query.lastError());
    return result;
}

QStringList ServerRunner::columnNames(const QString& sql, const QVariantList& values) {
    // A statement's columns do not depend on its values: a list opened again with other values
    // (a search for other letters) is spared the round trip.
    const auto kept = keptCatalogRows(db_, sql, [&] {
        QSqlQuery& query = runServerStatement(db_, sql, values);
        Finisher finisher(query);
        QVector<QVariant> names;
        for (const QString& name : namesIn(query.record()))
            names << name;
        return QVector<QVector<QVariant>>{names};
    });
    QStringList names;
    for (const QVariant& name : kept.value(0))
        names << name.toString();
    return names;
}

int ServerRunner::write(const QString& sql, const QVariantList& values) {
    QSqlQuery& query = runServerStatement(db_, sql, values);
    Finisher finisher(query);
    return query.numRowsAffected();
}

ServerRows::ServerRows(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
    : held_(db, sql, values), columns_(namesIn(held_.query().record())) {}

bool ServerRows::next() {
    QSqlQuery& query = held_.query();
    onRow_ = query.next();
    if (!onRow_ && query.lastError().isValid())
        throw databaseError(query.lastError());
    return onRow_;
}

QVariant ServerRows::value(int column) const {
    if (!onRow_ || column < 0 || column >= columns_.size())
        return QVariant();
    return serverValue(held_.query(), column);
}
