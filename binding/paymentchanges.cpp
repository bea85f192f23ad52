#include "binding/paymentchanges.h"

#include "core/dialogs.h"
#include "db/payments.h"

#include <QRegularExpression>

std::optional<QString> askPaymentKind(qint64 amount) {
    const QString prompt =
        amount > 0
            ? QString("Payment received today: %1\nPaid in :").arg(amount)
            : QString("Net due raised: %1 paid back today (a refund)\nPaid back in :").arg(-amount);
    return dialogs().chooseItem(prompt, "Payment", {kCashKind, kCreditKind, kPartialKind}, 0);
}

std::optional<qint64> wholeNumber(const QString& text) {
    if (text.trimmed().isEmpty())
        return 0;
    static const QRegularExpression whole("^\\s*([+-]?\\d{1,18})\\s*$");
    const QRegularExpressionMatch match = whole.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toLongLong();
}

qint64 wholeNumber(const QVariant& value) {
    return value.isNull() ? 0 : value.toLongLong();
}

std::optional<qint64> paidChange(const QVariant& storedAmount, const QVariant& storedNetDue,
                                 const QString& amount, const QString& netDue) {
    const std::optional<qint64> newAmount = wholeNumber(amount);
    const std::optional<qint64> newNetDue = wholeNumber(netDue);
    if (!newAmount || !newNetDue)
        return std::nullopt;
    return (*newAmount - *newNetDue) - (wholeNumber(storedAmount) - wholeNumber(storedNetDue));
}
