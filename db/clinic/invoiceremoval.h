#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QVariant>

// Deletes a saved invoice: its header in pt_sh, its lines in po_descs and its payment kind. The
// money it took stays in the books of the days it was taken: each of its payments is reversed
// by a payment of the opposite amount, of the same kind, on the day of the deletion. Runs inside
// the caller's transaction, so that no invoice is ever left without its header, with lines that
// belong to nothing, or gone without its reversals.
void deleteSavedInvoice(const QSqlDatabase& db, const QVariant& invoiceNumber, const QDate& day);
