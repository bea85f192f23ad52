#include "invoices/invoicewriter.h"

#include "core/apperror.h"
#include "core/programdir.h"
#include "db/clinic/payments.h"
#include "invoices/datetexts.h"
#include "invoices/paymentkinds.h"
#include "screens/amounttext.h"

#include <QCoreApplication>

namespace {

void checkFits(const QString& label, const QString& value) {
    if (value.size() > kScratchAmountLength)
        throw AppError(ErrorNumber::InvalidPropertyValue,
                       QCoreApplication::translate(
                           "InvoiceWriter",
                           "%1 %2 is too large: the total, payments and net due of an invoice "
                           "can have at most %3 characters each. The invoice was not saved.")
                           .arg(label, value)
                           .arg(kScratchAmountLength));
}

InvoiceHeader headerOf(const InvoiceDraft& draft) {
    // Whole amounts, as the screen checked the net due before saving.
    const qint64 total = qint64(leadingNumber(draft.total));
    return {draft.fileNumber,        draft.date, invoiceMonth(draft.date),
            invoiceYear(draft.date), total,      total - qint64(leadingNumber(draft.payments))};
}

QString mark(bool chosen) {
    return chosen ? "X" : "";
}

// The invoice number is the store's to fill in.
ScratchTotals totalsOf(const InvoiceDraft& draft) {
    return {draft.date,
            QString(),
            draft.total,
            draft.payments,
            draft.netDue(),
            mark(draft.kind == PaymentKind::Cash),
            mark(draft.kind == PaymentKind::Credit),
            mark(draft.kind == PaymentKind::Partial)};
}

} // namespace

QString InvoiceDraft::netDue() const {
    return amountText(leadingNumber(total) - leadingNumber(payments));
}

void checkDraftFits(const InvoiceDraft& draft) {
    checkFits(QCoreApplication::translate("InvoiceScreen", "Total SR"), draft.total);
    checkFits(QCoreApplication::translate("InvoiceScreen", "Payments"), draft.payments);
    checkFits(QCoreApplication::translate("InvoiceScreen", "Net Due"), draft.netDue());
}

NewInvoice newInvoiceOf(const InvoiceDraft& draft) {
    checkDraftFits(draft);
    const InvoiceHeader header = headerOf(draft);
    // The payment taken with the invoice is dated the day it is taken.
    return {header,
            kindText(draft.kind),
            {QVariant(), draft.fileNumber, today(), header.total - header.netDue, draft.paidIn},
            draft.headerId,
            totalsOf(draft)};
}
