#include "invoices/invoicewriter.h"

#include "core/apperror.h"
#include "db/invoicestore.h"
#include "invoices/amounttext.h"
#include "invoices/datetexts.h"

#include <cmath>

namespace {

qint64 wholeAmount(const QString& text) {
    return std::llround(leadingNumber(text));
}

void checkFits(const QString& label, const QString& value) {
    if (value.size() > kScratchAmountLength)
        throw AppError(ErrorNumber::InvalidPropertyValue,
                       QString("%1 %2 is too large: the total, payments and net due of an invoice "
                               "can have at most %3 characters each. The invoice was not saved.")
                           .arg(label, value)
                           .arg(kScratchAmountLength));
}

InvoiceHeader headerOf(const InvoiceDraft& draft) {
    return {draft.fileNumber,         draft.date,
            invoiceMonth(draft.date), invoiceYear(draft.date),
            wholeAmount(draft.total), wholeAmount(draft.netDue())};
}

QString mark(bool chosen) {
    return chosen ? "X" : "";
}

ScratchTotals totalsOf(const InvoiceDraft& draft, int number) {
    return {draft.date,
            QString::number(number),
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
    checkFits("Total SR", draft.total);
    checkFits("Payments", draft.payments);
    checkFits("Net Due", draft.netDue());
}

int writeInvoice(const QSqlDatabase& db, const InvoiceDraft& draft) {
    checkDraftFits(draft);
    const int number = appendInvoiceWithLines(db, headerOf(draft));
    if (!draft.headerId.isNull())
        recordInScratchHeader(db, draft.headerId, totalsOf(draft, number));
    return number;
}
