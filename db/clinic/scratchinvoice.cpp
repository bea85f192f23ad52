#include "db/clinic/scratchinvoice.h"

#include "db/engine/connection.h"
#include "db/engine/dialect.h"
#include "db/engine/statements.h"

void deleteScratch(const QSqlDatabase& db, const QVariant& headerId) {
    Statements statements(db);
    statements.write("delete from po_desc");
    if (!headerId.isNull())
        statements.write("delete from inv_rep_data where id = ?", {headerId});
}

void deleteLeftoverScratch(QSqlDatabase& db) {
    const QString leftoverHeaders =
        "delete from inv_rep_data where id < (select max(id) from inv_rep_data)";
    // Where statements travel, one statement is a transaction of its own, and one round trip.
    Statements statements(db);
    if (dialectOf(db).statementsTravel()) {
        statements.write("with lines as (delete from po_desc) " + leftoverHeaders);
        return;
    }
    inTransaction(db, [&] {
        statements.write("delete from po_desc");
        statements.write(leftoverHeaders);
    });
}

QVariant storeScratchHeader(const QSqlDatabase& db, const QString& fileNumber, const QString& name,
                            const QString& address) {
    return Statements(db).value(
        "insert into inv_rep_data (file_p, name, adrr) values (?, ?, ?) returning id",
        {fileNumber, name, address});
}

qint64 scratchTotal(const QSqlDatabase& db) {
    return Statements(db).value("select coalesce(sum(amount2), 0) from po_desc").toLongLong();
}
