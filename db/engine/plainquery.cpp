#include "db/engine/plainquery.h"

#include "db/engine/connection.h"

QSqlQuery plainQuery(const QSqlDatabase& db, const QString& sql, const QVariantList& values) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (values.isEmpty()) {
        if (!query.exec(sql))
            throw databaseError(query.lastError());
        return query;
    }
    if (!query.prepare(sql))
        throw databaseError(query.lastError());
    for (const QVariant& value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw databaseError(query.lastError());
    return query;
}
