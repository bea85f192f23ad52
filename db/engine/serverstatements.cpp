#include "db/engine/serverstatements.h"

#include "db/engine/connection.h"
#include "db/engine/serversession.h"

#include <QHash>

namespace {

using Prepared = QHash<QString, QSqlQuery>;

// By connection name; the program's connections all live on the one GUI thread.
QHash<QString, Prepared>& cache() {
    static QHash<QString, Prepared> queries;
    return queries;
}

QSqlQuery& cachedQuery(const QSqlDatabase& db, const QString& sql) {
    Prepared& prepared = cache()[db.connectionName()];
    auto found = prepared.find(sql);
    if (found != prepared.end())
        return *found;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw databaseError(query.lastError());
    return *prepared.insert(sql, query);
}

} // namespace

QSqlQuery& runServerStatement(const QSqlDatabase& db, const QString& sql,
                              const QVariantList& values) {
    return onLiveSession(db, [&]() -> QSqlQuery& {
        QSqlQuery& query = cachedQuery(db, sql);
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        if (!query.exec())
            throw databaseError(query.lastError());
        return query;
    });
}

void dropServerQueries(const QString& connectionName) {
    cache().remove(connectionName);
}

QVariant serverValue(const QSqlQuery& query, int column) {
    if (query.isNull(column))
        return QVariant(QMetaType::fromType<QString>());
    const QVariant value = query.value(column);
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return value.toLongLong();
    default:
        return value;
    }
}
