#pragma once

#include "db/clinic/invoicestore.h"
#include "db/clinic/payments.h"

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

// The invoice as the store saves it: the header and the scratch lines under a new number, the
// payment taken with it (dated today, of the kind it was paid in) and its terms, and the numbers
// and the payment kind for the scratch header. Refuses a draft that does not fit.
NewInvoice newInvoiceOf(const InvoiceDraft& draft);
