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

namespace {

// The header takes the next number of the counter row, and the lines go with it, in one
// statement. The highest number stored is a floor, should a row have come in by another way.
int appendOnServer(const QSqlDatabase& db, const InvoiceHeader& header) {
    const QString fields = copiedLineFields();
    QSqlQuery query = runQuery(
        db,
        "with taken as (update invoice_counter set last_po_num = greatest(last_po_num, "
        "(select coalesce(max(po_num), 0) from pt_sh)) + 1 returning last_po_num), "
        "header as (insert into pt_sh (po_num, file_num, po_date, po_pri, po_netd, fmon, fyear) "
        "select last_po_num, ?::text, ?::text, ?::bigint, ?::bigint, ?::text, ?::text from taken "
        "returning po_num), "
        "lines as (insert into po_descs (" +
            fields + ", po_num) select " + fields +
            ", header.po_num from po_desc, header order by po_desc.id) "
            "select po_num from header",
        {header.fileNumber, header.date, header.total, header.netDue, header.month, header.year});
    if (!query.next())
        throw AppError(ErrorNumber::Unexpected, "The database has no counter of invoice numbers.");
    return query.value(0).toInt();
}

} // namespace

int appendInvoiceWithLines(const QSqlDatabase& db, const InvoiceHeader& header) {
    if (onServer(db))
        return appendOnServer(db, header);
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
