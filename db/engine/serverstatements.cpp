#include "db/engine/serverstatements.h"

#include "db/engine/connection.h"
#include "db/engine/serversession.h"

#include <QHash>
#include <QMultiHash>

namespace {

using Prepared = QHash<QString, QSqlQuery>;

// By connection name; the program's connections all live on the one GUI thread.
QHash<QString, Prepared>& cache() {
    static QHash<QString, Prepared> queries;
    return queries;
}

// Held statements given back, by connection name and statement.
QHash<QString, QMultiHash<QString, QSqlQuery>>& spares() {
    static QHash<QString, QMultiHash<QString, QSqlQuery>> queries;
    return queries;
}

QHash<QString, QHash<QString, QVector<QVector<QVariant>>>>& catalogs() {
    static QHash<QString, QHash<QString, QVector<QVector<QVariant>>>> rows;
    return rows;
}

QtMessageHandler gHandler = nullptr;

void withoutFreeingNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.startsWith("Unable to free statement"))
        gHandler(type, context, text);
}

QSqlQuery& cachedQuery(const QSqlDatabase& db, const QString& sql) {
    Prepared& prepared = cache()[db.connectionName()];
    auto found = prepared.find(sql);
    if (found != prepared.end())
        return *found;
    QSqlQuery query(db);
    // Every result is read whole at once: Qt's driver reads a forward-only one row by row, each
    // row a result of its own, copied with the columns' descriptions (an eighth of the time of
    // reading a page of rows).
    query.setForwardOnly(false);
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

HeldServerStatement::HeldServerStatement(const QSqlDatabase& db, const QString& sql,
                                         const QVariantList& values)
    : db_(db), sql_(sql), session_(sessionOf(db)) {
    QMultiHash<QString, QSqlQuery>& spare = spares()[db.connectionName()];
    const auto found = spare.find(sql);
    if (found != spare.end()) {
        query_ = std::move(*found);
        spare.erase(found);
    } else {
        query_ = QSqlQuery(db);
        if (!query_.prepare(sql))
            throw databaseError(query_.lastError());
    }
    for (int i = 0; i < values.size(); ++i)
        query_.bindValue(i, values[i]);
    if (!query_.exec())
        throw databaseError(query_.lastError());
}

HeldServerStatement::~HeldServerStatement() {
    // A statement of a session since lost, or of a connection closed, is let go.
    if (!db_.isOpen() || sessionOf(db_) != session_ || query_.lastError().isValid())
        return;
    query_.finish();
    spares()[db_.connectionName()].emplace(sql_, std::move(query_));
}

QVector<QVector<QVariant>>
keptCatalogRows(const QSqlDatabase& db, const QString& key,
                const std::function<QVector<QVector<QVariant>>()>& read) {
    auto& kept = catalogs()[db.connectionName()];
    const auto found = kept.constFind(key);
    if (found != kept.constEnd())
        return *found;
    const QVector<QVector<QVariant>> rows = read();
    // A table not there yet may be made later on the connection.
    if (!rows.isEmpty())
        kept.insert(key, rows);
    return rows;
}

void forgetCatalogRows(const QSqlDatabase& db) {
    catalogs().remove(db.connectionName());
}

void dropServerQueries(const QString& connectionName) {
    cache().remove(connectionName);
    spares().remove(connectionName);
    catalogs().remove(connectionName);
}

void dropDeadServerQueries(const QString& connectionName) {
    // Qt's driver asks the server to free each statement as it is let go, and warns that it could
    // not: there is nothing left to free.
    gHandler = qInstallMessageHandler(withoutFreeingNotes);
    dropServerQueries(connectionName);
    qInstallMessageHandler(gHandler);
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
