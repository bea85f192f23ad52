#pragma once

#include "db/clinic/payments.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

// A saved invoice's header as pt_sh keeps it.
struct InvoiceHeader {
    QString fileNumber;
    QString date;  // "DD/MM/YYYY"
    QString month; // "MM/YYYY", by which the monthly report selects it
    QString year;  // "YYYY"
    qint64 total = 0;
    qint64 netDue = 0;
};

// What the scratch header record keeps of a saved invoice: the texts the screen shows, and "X"
// in the mark of the payment kind.
struct ScratchTotals {
    QString date;
    QString invoiceNumber;
    QString total;
    QString payments;
    QString netDue;
    QString cash;
    QString credit;
    QString partial;
};

// Appends the header to pt_sh and copies every scratch line under the new invoice number into
// po_descs, in entry order. Runs inside the caller's transaction; returns the invoice number.
int appendInvoiceWithLines(const QSqlDatabase& db, const InvoiceHeader& header);

// Records the saved invoice in the scratch header record with this id.
void recordInScratchHeader(const QSqlDatabase& db, const QVariant& headerId,
                           const ScratchTotals& totals);

// A new invoice as the invoice screen saves it: its header and the scratch lines, its payment
// kind, the payment taken with it, and the scratch header record (if any) to note it in.
struct NewInvoice {
    InvoiceHeader header;
    QString kind;
    Payment payment; // its invoice number is the one the invoice is given
    QVariant scratchId;
    ScratchTotals totals; // the same
};

// Stores the new invoice, inside the caller's transaction; its number.
int storeNewInvoice(const QSqlDatabase& db, NewInvoice invoice);
