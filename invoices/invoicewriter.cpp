#include "invoices/invoicewriter.h"

#include "core/apperror.h"
#include "db/connection.h"
#include "db/schema.h"
#include "invoices/amounttext.h"
#include "invoices/datetexts.h"

#include <QStringList>
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

int appendHeader(const QSqlDatabase& db, const InvoiceDraft& draft) {
    const QSqlQuery query =
        runQuery(db,
                 "insert into pt_sh (file_num, po_date, po_pri, po_netd, fmon, fyear) "
                 "values (?, ?, ?, ?, ?, ?)",
                 {draft.fileNumber, draft.date, wholeAmount(draft.total),
                  wholeAmount(draft.netDue()), invoiceMonth(draft.date), invoiceYear(draft.date)});
    return query.lastInsertId().toInt();
}

// Every field of a scratch line but its own record number goes over under the same name.
QString copiedLineFields() {
    QStringList names;
    for (const ColumnDef& column : tableDef("po_desc").columns)
        if (column.name != "id")
            names << column.name;
    return names.join(", ");
}

void copyLines(const QSqlDatabase& db, int number) {
    const QString fields = copiedLineFields();
    runQuery(db,
             "insert into po_descs (" + fields + ", po_num) select " + fields +
                 ", ? from po_desc order by id",
             {number});
}

QString mark(bool chosen) {
    return chosen ? "X" : "";
}

void recordInScratchHeader(const QSqlDatabase& db, const InvoiceDraft& draft, int number) {
    if (draft.headerId.isNull())
        return;
    runQuery(db,
             "update inv_rep_data set dater = ?, invo = ?, tot = ?, paym = ?, netd = ?, "
             "cash = ?, credit1 = ?, parti1 = ? where id = ?",
             {draft.date, QString::number(number), draft.total, draft.payments, draft.netDue(),
              mark(draft.kind == PaymentKind::Cash), mark(draft.kind == PaymentKind::Credit),
              mark(draft.kind == PaymentKind::Partial), draft.headerId});
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
    const int number = appendHeader(db, draft);
    copyLines(db, number);
    recordInScratchHeader(db, draft, number);
    return number;
}
