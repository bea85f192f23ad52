#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// A correction of a saved invoice (its amount, its net due) that changes the amount paid, the
// amount less the net due, is money received that day, or paid back when it goes down. The
// screens that correct invoices write it as a payment beside the correction.

// Asks how the money came in (or went back), among the kinds, the first offered first. No value
// when the user cancels.
std::optional<QString> askPaymentKind(qint64 amount, const QStringList& kinds);
// Asks before an invoice is stored with a net due below zero (more paid than its amount); true
// when the user wants it stored so, and at once for a net due of 0 or more.
bool netDueAccepted(qint64 amount, qint64 netDue);
// A stored kind ("Cash", "Card", ...) as the interface's language names it; a clinic's own kind
// as it was named.
QString shownPaymentKind(const QString& kind);

// What the correction from the stored amount and net due to the typed ones changes in the amount
// paid; none when a typed amount is not a whole number (the database refuses it in its own words).
std::optional<qint64> paidChange(const QVariant& storedAmount, const QVariant& storedNetDue,
                                 const QString& amount, const QString& netDue);
