#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <optional>

// The money received: one row per payment in the table "payments", and the payment kind that an
// invoice was saved with in "invoice_kinds". Both tables stand beside the clinic's own, which
// keep every column as it was; a payment points at its invoice by po_num. Amounts are whole
// numbers (qint64) throughout.

// The kinds a payment is received in, as the invoice screen offers them, and the kind of a
// payment that the upgrade carried over from an invoice saved before payments were kept.
inline const QString kCashKind = QStringLiteral("Cash");
inline const QString kCreditKind = QStringLiteral("Credit");
inline const QString kPartialKind = QStringLiteral("Partial");
inline const QString kCarriedOverKind = QStringLiteral("Carried over");

struct Payment {
    QVariant invoiceNumber;
    QString fileNumber;
    QDate date;
    // Negative: money paid back (a refund).
    qint64 amount = 0;
    QString kind;
};

// Writes the payment inside the caller's transaction; an amount of 0 writes nothing.
void recordPayment(const QSqlDatabase& db, const Payment& payment);
// Keeps the payment kind that the invoice was saved with, inside the caller's transaction.
void recordInvoiceKind(const QSqlDatabase& db, const QVariant& invoiceNumber, const QString& kind);
// The payment kind an invoice was saved with; none for an invoice saved before kinds were kept.
std::optional<QString> invoiceKind(const QString& path, const QVariant& invoiceNumber);
// What the invoice's payments add up to: the money it took and kept.
qint64 paymentsTotal(const QString& path, const QVariant& invoiceNumber);
// Books, on the day given, the opposite of each payment the invoice has taken, inside the
// caller's transaction.
void reversePaymentsOf(const QSqlDatabase& db, const QVariant& invoiceNumber, const QDate& day);

// "YYYY-MM-DD", the order in which payments are listed and the key the cash book selects by.
QString paymentDay(const QDate& date);

// The statements that create the two tables and their indexes in a file that has none.
#include "db/schema.h"

QStringList createPaymentTableStatements(Engine engine = Engine::File);
bool hasPaymentTables(const QSqlDatabase& db);
