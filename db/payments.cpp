#include "db/payments.h"

#include "db/connection.h"

QString paymentDay(const QDate& date) {
    return date.toString("yyyy-MM-dd");
}

void recordPayment(const QSqlDatabase& db, const Payment& payment) {
    if (payment.amount == 0)
        return;
    runQuery(db,
             "INSERT INTO payments (po_num, file_num, pay_date, pay_day, amount, kind, "
             "carried_over) VALUES (?, ?, ?, ?, ?, ?, 0)",
             {payment.invoiceNumber, payment.fileNumber, payment.date.toString("dd/MM/yyyy"),
              paymentDay(payment.date), QVariant::fromValue<qlonglong>(payment.amount),
              payment.kind});
}

void recordInvoiceKind(const QSqlDatabase& db, const QVariant& invoiceNumber, const QString& kind) {
    runQuery(db, "INSERT OR REPLACE INTO invoice_kinds (po_num, kind) VALUES (?, ?)",
             {invoiceNumber, kind});
}

std::optional<QString> invoiceKind(const QString& path, const QVariant& invoiceNumber) {
    QSqlQuery query = runQuery(openDatabase(path),
                               "SELECT kind FROM invoice_kinds WHERE po_num = ?", {invoiceNumber});
    if (!query.next())
        return std::nullopt;
    return query.value(0).toString();
}

void deletePaymentsOf(const QSqlDatabase& db, const QVariant& invoiceNumber) {
    runQuery(db, "DELETE FROM payments WHERE po_num = ?", {invoiceNumber});
    runQuery(db, "DELETE FROM invoice_kinds WHERE po_num = ?", {invoiceNumber});
}

// The amount is an engine integer of 64 bits: a year's payments of a large clinic are summed
// exactly. The day is kept twice: as the program shows dates, and as a key that sorts by date.
QStringList createPaymentTableStatements() {
    return {
        "CREATE TABLE payments ("
        "id INTEGER PRIMARY KEY AUTOINCREMENT, "
        "po_num INTEGER NOT NULL, "
        "file_num TEXT COLLATE ARABIC, "
        "pay_date TEXT, "
        "pay_day TEXT NOT NULL, "
        "amount INTEGER NOT NULL, "
        "kind TEXT NOT NULL CONSTRAINT \"A payment has a kind\" CHECK(length(kind) > 0), "
        "carried_over INTEGER NOT NULL DEFAULT 0 CHECK(carried_over IN (0, 1)))",
        "CREATE INDEX payments_pay_day ON payments (pay_day, id)",
        "CREATE INDEX payments_po_num ON payments (po_num)",
        "CREATE TABLE invoice_kinds (po_num INTEGER PRIMARY KEY, kind TEXT NOT NULL)",
    };
}

bool hasPaymentTables(const QSqlDatabase& db) {
    QSqlQuery query = runQuery(db, "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                                   "name IN ('payments', 'invoice_kinds')");
    return query.next() && query.value(0).toInt() == 2;
}
