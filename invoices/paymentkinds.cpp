#include "invoices/paymentkinds.h"

#include "core/dialogs.h"
#include "db/payments.h"

#include <QRegularExpression>

QString kindText(PaymentKind kind) {
    switch (kind) {
    case PaymentKind::Credit:
        return kCreditKind;
    case PaymentKind::Partial:
        return kPartialKind;
    case PaymentKind::Cash:
        break;
    }
    return kCashKind;
}

std::optional<QString> askPaymentKind(qint64 amount) {
    const QString prompt =
        amount > 0
            ? QString("Payment received today: %1\nPaid in :").arg(amount)
            : QString("Net due raised: %1 paid back today (a refund)\nPaid back in :").arg(-amount);
    return dialogs().chooseItem(prompt, "Payment", {kCashKind, kCreditKind, kPartialKind}, 0);
}

std::optional<qint64> wholeNumber(const QString& text) {
    static const QRegularExpression whole("^\\s*([+-]?\\d{1,18})\\s*$");
    const QRegularExpressionMatch match = whole.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong();
}

qint64 wholeNumber(const QVariant& value) {
    return value.isNull() ? 0 : value.toLongLong();
}
