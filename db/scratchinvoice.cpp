#include "db/scratchinvoice.h"

#include "db/connection.h"

void deleteScratch(const QSqlDatabase& db, const QVariant& headerId) {
    runQuery(db, "delete from po_desc");
    if (!headerId.isNull())
        runQuery(db, "delete from inv_rep_data where id = ?", {headerId});
}

void deleteLeftoverScratch(const QSqlDatabase& db) {
    runQuery(db, "delete from po_desc");
    runQuery(db, "delete from inv_rep_data where id < (select max(id) from inv_rep_data)");
}
