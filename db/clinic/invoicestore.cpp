#include "db/clinic/invoicestore.h"

#include "db/clinic/payments.h"
#include "db/engine/connection.h"
#include "db/engine/dialect.h"
#include "db/engine/statements.h"
#include "db/upkeep/schema.h"

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

QVariantList headerValues(const InvoiceHeader& header) {
    return {header.fileNumber, header.date, header.total, header.netDue, header.month, header.year};
}

// On a server the header takes the next number of the counter row and the lines go with it, in
// one statement that the caller's own writes extend. The highest number stored is a floor, should
// a row have come in by another way, and the table's own sequence is kept level with the counter,
// so that a row added by another way (an earlier version at another desk) takes no number twice.
// The counter is one row: the LIMIT tells the planner so, whose guess from the table's size would
// otherwise be thousands of lines and a statement compiled (JIT) for some 40 ms before it runs.
QString numberedOnServer() {
    const QString fields = copiedLineFields();
    return "with taken as (update invoice_counter set last_po_num = greatest(last_po_num, "
           "(select coalesce(max(po_num), 0) from pt_sh)) + 1 returning last_po_num), "
           "header as (insert into pt_sh (po_num, file_num, po_date, po_pri, po_netd, fmon, "
           "fyear) select last_po_num, ?::text, ?::text, ?::bigint, ?::bigint, ?::text, ?::text "
           "from taken limit 1 returning po_num, file_num), "
           "lines as (insert into po_descs (" +
           fields + ", po_num) select " + fields +
           ", header.po_num from po_desc, header order by po_desc.id), "
           "synced as (select setval(pg_get_serial_sequence('pt_sh', 'po_num')::regclass, "
           "last_po_num) from taken)";
}

const char* const kTheNumber = " select po_num from header, synced";

int numberOf(const QVector<Row>& rows) {
    if (rows.isEmpty())
        throw AppError(ErrorNumber::Unexpected, "The database has no counter of invoice numbers.");
    return rows.first().value(0).toInt();
}

// The whole save as one statement: a single round trip inside its transaction.
int storeOnServer(const QSqlDatabase& db, const NewInvoice& invoice) {
    const ScratchTotals& totals = invoice.totals;
    return numberOf(Statements(db).rows(
        numberedOnServer() +
            ", kind as (insert into invoice_kinds (po_num, kind) select po_num, ?::text from "
            "header), paid as (insert into payments (po_num, file_num, pay_date, pay_day, amount, "
            "kind, carried_over) select po_num, file_num, ?::text, ?::text, ?::bigint, ?::text, 0 "
            "from header where ?::bigint <> 0), scratch as (update inv_rep_data set dater = "
            "?::text, invo = header.po_num::text, tot = ?::text, paym = ?::text, netd = ?::text, "
            "cash = ?::text, credit1 = ?::text, parti1 = ?::text from header where id = "
            "?::bigint)" +
            kTheNumber,
        headerValues(invoice.header) +
            QVariantList{invoice.kind, invoice.payment.date.toString("dd/MM/yyyy"),
                         paymentDay(invoice.payment.date), invoice.payment.amount,
                         invoice.payment.kind, invoice.payment.amount, totals.date, totals.total,
                         totals.payments, totals.netDue, totals.cash, totals.credit, totals.partial,
                         invoice.scratchId}));
}

} // namespace

int appendInvoiceWithLines(const QSqlDatabase& db, const InvoiceHeader& header) {
    if (dialectOf(db).servesManyDesks())
        return numberOf(Statements(db).rows(numberedOnServer() + kTheNumber, headerValues(header)));
    Statements statements(db);
    const int number =
        numberOf(statements.rows("insert into pt_sh (file_num, po_date, po_pri, po_netd, "
                                 "fmon, fyear) values (?, ?, ?, ?, ?, ?) returning po_num",
                                 headerValues(header)));
    const QString fields = copiedLineFields();
    statements.write("insert into po_descs (" + fields + ", po_num) select " + fields +
                         ", ? from po_desc order by id",
                     {number});
    return number;
}

void recordInScratchHeader(const QSqlDatabase& db, const QVariant& headerId,
                           const ScratchTotals& totals) {
    Statements(db).write(
        "update inv_rep_data set dater = ?, invo = ?, tot = ?, paym = ?, netd = ?, "
        "cash = ?, credit1 = ?, parti1 = ? where id = ?",
        {totals.date, totals.invoiceNumber, totals.total, totals.payments, totals.netDue,
         totals.cash, totals.credit, totals.partial, headerId});
}

int storeNewInvoice(const QSqlDatabase& db, NewInvoice invoice) {
    if (dialectOf(db).servesManyDesks())
        return storeOnServer(db, invoice);
    const int number = appendInvoiceWithLines(db, invoice.header);
    recordInvoiceKind(db, number, invoice.kind);
    invoice.payment.invoiceNumber = number;
    recordPayment(db, invoice.payment);
    if (!invoice.scratchId.isNull()) {
        invoice.totals.invoiceNumber = QString::number(number);
        recordInScratchHeader(db, invoice.scratchId, invoice.totals);
    }
    return number;
}
