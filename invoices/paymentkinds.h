#pragma once

#include "invoices/invoicewriter.h"

#include <QString>
#include <optional>

// The kinds a payment is taken in, as the invoice screen's options name them.
QString kindText(PaymentKind kind);

// Asks in which kind the money was received (a refund: paid back) in the invoice list, "Cash"
// offered first. No value when the user cancels.
std::optional<QString> askPaymentKind(qint64 amount);

// The whole number that an amount box holds (blanks around it aside); none for any other text.
std::optional<qint64> wholeNumber(const QString& text);
// A stored amount as a whole number; null is 0.
qint64 wholeNumber(const QVariant& value);
