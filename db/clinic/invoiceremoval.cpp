#include "db/clinic/invoiceremoval.h"

#include "db/clinic/payments.h"
#include "db/engine/connection.h"

void deleteSavedInvoice(const QSqlDatabase& db, const QVariant& invoiceNumber, const QDate& day) {
    reversePaymentsOf(db, invoiceNumber, day);
    runQuery(db, "delete from po_descs where po_num = ?", {invoiceNumber});
    runQuery(db, "delete from pt_sh where po_num = ?", {invoiceNumber});
    runQuery(db, "delete from invoice_kinds where po_num = ?", {invoiceNumber});
}
