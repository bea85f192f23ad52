#include "db/invoicestore.h"

#include "db/connection.h"
#include "db/schema.h"

#include <QStringList>

namespace {

// Every field of a scratch line but its own record number goes over under the same name.
QString copiedLineFields() {
    QStringList names;
    for (const ColumnDef& column : tableDef("po_desc").columns)
        if (column.name != "id")
            names << column.name;
    return names.join(", ");
}

} // namespace

int appendInvoiceWithLines(const QSqlDatabase& db, const InvoiceHeader& header) {
    QSqlQuery query = runQuery(
        db,
        "insert into pt_sh (file_num, po_date, po_pri, po_netd, fmon, fyear) "
        "values (?, ?, ?, ?, ?, ?) returning po_num",
        {header.fileNumber, header.date, header.total, header.netDue, header.month, header.year});
    query.next();
    const int number = query.value(0).toInt();
    const QString fields = copiedLineFields();
    runQuery(db,
             "insert into po_descs (" + fields + ", po_num) select " + fields +
                 ", ? from po_desc order by id",
             {number});
    return number;
}

void recordInScratchHeader(const QSqlDatabase& db, const QVariant& headerId,
                           const ScratchTotals& totals) {
    runQuery(db,
             "update inv_rep_data set dater = ?, invo = ?, tot = ?, paym = ?, netd = ?, "
             "cash = ?, credit1 = ?, parti1 = ? where id = ?",
             {totals.date, totals.invoiceNumber, totals.total, totals.payments, totals.netDue,
              totals.cash, totals.credit, totals.partial, headerId});
}
