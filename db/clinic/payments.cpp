#include "db/clinic/payments.h"

#include "db/engine/connection.h"
#include "db/engine/statements.h"

QStringList paymentKinds(const QString& clinicKinds) {
    QStringList kinds{kCashKind, kCardKind, kBankTransferKind, kChequeKind};
    for (const QString& name : clinicKinds.split(';')) {
        const QString kind = name.simplified();
        if (!kind.isEmpty() && !kinds.contains(kind, Qt::CaseInsensitive))
            kinds << kind;
    }
    return kinds;
}

QString paymentDay(const QDate& date) {
    return date.toString("yyyy-MM-dd");
}

void recordPayment(const QSqlDatabase& db, const Payment& payment) {
    if (payment.amount == 0)
        return;
    Statements(db).write("INSERT INTO payments (po_num, file_num, pay_date, pay_day, amount, kind, "
                         "carried_over) VALUES (?, ?, ?, ?, ?, ?, 0)",
                         {payment.invoiceNumber, payment.fileNumber,
                          payment.date.toString("dd/MM/yyyy"), paymentDay(payment.date),
                          QVariant::fromValue<qlonglong>(payment.amount), payment.kind});
}

void recordInvoiceKind(const QSqlDatabase& db, const QVariant& invoiceNumber, const QString& kind) {
    Statements(db).write("INSERT INTO invoice_kinds (po_num, kind) VALUES (?, ?) "
                         "ON CONFLICT (po_num) DO UPDATE SET kind = excluded.kind",
                         {invoiceNumber, kind});
}

std::optional<QString> invoiceKind(const QString& path, const QVariant& invoiceNumber) {
    const QVector<Row> rows =
        Statements(openDatabase(path))
            .rows("SELECT kind FROM invoice_kinds WHERE po_num = ?", {invoiceNumber});
    if (rows.isEmpty())
        return std::nullopt;
    return rows.first().value(0).toString();
}

qint64 paymentsTotal(const QString& path, const QVariant& invoiceNumber) {
    return Statements(openDatabase(path))
        .value("SELECT coalesce(sum(amount), 0) FROM payments WHERE po_num = ?", {invoiceNumber})
        .toLongLong();
}

// The earlier rows stay as they were booked: each is answered by its opposite, in its order.
void reversePaymentsOf(const QSqlDatabase& db, const QVariant& invoiceNumber, const QDate& day) {
    Statements(db).write("INSERT INTO payments (po_num, file_num, pay_date, pay_day, amount, kind, "
                         "carried_over) SELECT po_num, file_num, ?, ?, -amount, kind, carried_over "
                         "FROM payments WHERE po_num = ? ORDER BY id",
                         {day.toString("dd/MM/yyyy"), paymentDay(day), invoiceNumber});
}

// The amount is an engine integer of 64 bits: a year's payments of a large clinic are summed
// exactly. The day is kept twice: as the program shows dates, and as a key that sorts by date.
QStringList createPaymentTableStatements(const Dialect& dialect) {
    return {
        "CREATE TABLE payments (id " + dialect.counterColumn() +
            ", po_num INTEGER NOT NULL, file_num TEXT COLLATE " + dialect.collation() +
            ", pay_date TEXT, pay_day TEXT NOT NULL, amount " + dialect.wideInteger() +
            " NOT NULL, kind TEXT NOT NULL CONSTRAINT \"A payment has a kind\" "
            "CHECK(length(kind) > 0), carried_over INTEGER NOT NULL DEFAULT 0 "
            "CHECK(carried_over IN (0, 1)))",
        "CREATE INDEX payments_pay_day ON payments (pay_day, id)",
        "CREATE INDEX payments_po_num ON payments (po_num)",
        "CREATE TABLE invoice_kinds (po_num INTEGER PRIMARY KEY, kind TEXT NOT NULL)",
    };
}

bool hasPaymentTables(const QSqlDatabase& db) {
    return Statements(db)
               .value("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                      "name IN ('payments', 'invoice_kinds')")
               .toInt() == 2;
}
