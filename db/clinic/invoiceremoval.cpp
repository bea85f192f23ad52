#include "db/clinic/invoiceremoval.h"

#include "db/clinic/payments.h"
#include "db/engine/connection.h"
#include "db/engine/statements.h"

void deleteSavedInvoice(const QSqlDatabase& db, const QVariant& invoiceNumber, const QDate& day) {
    reversePaymentsOf(db, invoiceNumber, day);
    Statements statements(db);
    statements.write("delete from po_descs where po_num = ?", {invoiceNumber});
    statements.write("delete from pt_sh where po_num = ?", {invoiceNumber});
    statements.write("delete from invoice_kinds where po_num = ?", {invoiceNumber});
}
