#pragma once

#include <QSqlDatabase>
#include <QVariant>

// Deletes a saved invoice: its header in pt_sh, its lines in po_descs, and its payments and
// payment kind (an invoice filed by mistake took no money). Runs inside the
// caller's transaction, so that no invoice is ever left without its header or with lines
// that belong to nothing.
void deleteSavedInvoice(const QSqlDatabase& db, const QVariant& invoiceNumber);
