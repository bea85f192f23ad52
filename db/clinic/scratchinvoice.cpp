#include "db/clinic/scratchinvoice.h"

#include "db/engine/connection.h"
#include "db/engine/dialect.h"

void deleteScratch(const QSqlDatabase& db, const QVariant& headerId) {
    runQuery(db, "delete from po_desc");
    if (!headerId.isNull())
        runQuery(db, "delete from inv_rep_data where id = ?", {headerId});
}

void deleteLeftoverScratch(QSqlDatabase& db) {
    const QString leftoverHeaders =
        "delete from inv_rep_data where id < (select max(id) from inv_rep_data)";
    // Where statements travel, one statement is a transaction of its own, and one round trip.
    if (dialectOf(db).statementsTravel()) {
        runQuery(db, "with lines as (delete from po_desc) " + leftoverHeaders);
        return;
    }
    inTransaction(db, [&] {
        runQuery(db, "delete from po_desc");
        runQuery(db, leftoverHeaders);
    });
}

QVariant storeScratchHeader(const QSqlDatabase& db, const QString& fileNumber, const QString& name,
                            const QString& address) {
    QSqlQuery query =
        runQuery(db, "insert into inv_rep_data (file_p, name, adrr) values (?, ?, ?) returning id",
                 {fileNumber, name, address});
    return query.next() ? query.value(0) : QVariant();
}

qint64 scratchTotal(const QSqlDatabase& db) {
    QSqlQuery query = runQuery(db, "select coalesce(sum(amount2), 0) from po_desc");
    return query.next() ? query.value(0).toLongLong() : 0;
}
