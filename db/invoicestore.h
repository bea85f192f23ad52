#pragma once

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
