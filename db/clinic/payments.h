#pragma once

#include "db/engine/dialect.h"

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <optional>

// The money received: one row per payment in the table "payments", and the payment kind that an
// invoice was saved with in "invoice_kinds". Both tables stand beside the clinic's own, which
// keep every column as it was; a payment points at its invoice by po_num. Amounts are whole
// numbers (qint64) throughout.

// How the money of a payment came in, Cash first; a clinic adds its own in the settings.
inline const QString kCashKind = QStringLiteral("Cash");
inline const QString kCardKind = QStringLiteral("Card");
inline const QString kBankTransferKind = QStringLiteral("Bank transfer");
inline const QString kChequeKind = QStringLiteral("Cheque");
// An invoice's terms besides Cash, kept in invoice_kinds; payments stored before kinds said how
// money came in may carry them too, and keep them.
inline const QString kCreditKind = QStringLiteral("Credit");
inline const QString kPartialKind = QStringLiteral("Partial");
// The kind of a payment that the upgrade carried over from an invoice saved before payments were
// kept.
inline const QString kCarriedOverKind = QStringLiteral("Carried over");

// The kinds a payment is taken in: the four above, then the clinic's own names (the setting's
// text, names separated by ';'), each once.
QStringList paymentKinds(const QString& clinicKinds);

#include <QStringList>

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
#include "db/upkeep/schema.h"

QStringList createPaymentTableStatements(const Dialect& dialect = fileDialect());
bool hasPaymentTables(const QSqlDatabase& db);
