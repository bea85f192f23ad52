#pragma once

#include "db/clinic/payments.h"
#include <QSqlDatabase>

#include <QString>
#include <QVariant>

// The invoice's terms: paid in full, on credit, or partly.
enum class PaymentKind { Cash, Credit, Partial };

// An invoice as the invoice screen holds it when it is saved: the box texts as shown.
struct InvoiceDraft {
    QVariant headerId; // the scratch header record; null when there is none
    QString fileNumber;
    QString date;
    QString total;
    QString payments;
    PaymentKind kind = PaymentKind::Cash;
    // How the payment came in ("Cash", "Card", ...).
    QString paidIn = kCashKind;

    // Total minus payments, by the invoice screen's number rule.
    QString netDue() const;
};

// The scratch header keeps total, payments and net due as texts of at most this many characters.
constexpr int kScratchAmountLength = 5;

// Refuses a draft whose amounts the scratch header cannot hold, before anything is written.
void checkDraftFits(const InvoiceDraft& draft);

// Appends the invoice header to pt_sh, copies every scratch line under the new invoice number
// into po_descs in entry order, and records the numbers and the payment kind in the scratch
// header, with the payment taken (dated today, of the kind it was paid in) and the invoice's
// terms beside it. Runs inside the
// caller's transaction; returns the invoice number.
int writeInvoice(const QSqlDatabase& db, const InvoiceDraft& draft);
