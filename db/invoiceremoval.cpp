#include "db/invoiceremoval.h"

#include "db/connection.h"
#include "db/payments.h"

void deleteSavedInvoice(const QSqlDatabase& db, const QVariant& invoiceNumber) {
    runQuery(db, "delete from po_descs where po_num = ?", {invoiceNumber});
    runQuery(db, "delete from pt_sh where po_num = ?", {invoiceNumber});
    deletePaymentsOf(db, invoiceNumber);
}
