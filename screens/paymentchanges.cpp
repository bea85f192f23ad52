#include "screens/paymentchanges.h"

#include "core/dialogs.h"
#include "screens/amounttext.h"

#include <QCoreApplication>

std::optional<QString> askPaymentKind(qint64 amount, const QStringList& kinds) {
    const QString prompt =
        amount > 0
            ? QCoreApplication::translate("PaymentChanges", "Payment received today: %1\nPaid in :")
                  .arg(amount)
            : QCoreApplication::translate("PaymentChanges",
                                          "Amount paid lowered: %1 paid back today\nPaid back in :")
                  .arg(-amount);
    // The user picks among the kinds in the interface's language; the stored kind stays the same.
    QStringList shown;
    for (const QString& kind : kinds)
        shown << shownPaymentKind(kind);
    const std::optional<QString> chosen = dialogs().chooseItem(
        prompt, QCoreApplication::translate("PaymentChanges", "Payment"), shown, 0);
    if (!chosen)
        return std::nullopt;
    return kinds.value(shown.indexOf(*chosen), *chosen);
}

bool netDueAccepted(qint64 amount, qint64 netDue) {
    if (netDue >= 0)
        return true;
    const QString question =
        QCoreApplication::translate("PaymentChanges",
                                    "The net due would be %1: %2 more is paid than the amount "
                                    "of %3.\nSave it so?")
            .arg(netDue)
            .arg(-netDue)
            .arg(amount);
    return dialogs().message(question, Dialogs::Buttons::YesNo, Dialogs::Icon::Question) ==
           Dialogs::Answer::Yes;
}

QString shownPaymentKind(const QString& kind) {
    static const char* const names[] = {QT_TRANSLATE_NOOP("PaymentKind", "Cash"),
                                        QT_TRANSLATE_NOOP("PaymentKind", "Card"),
                                        QT_TRANSLATE_NOOP("PaymentKind", "Bank transfer"),
                                        QT_TRANSLATE_NOOP("PaymentKind", "Cheque"),
                                        QT_TRANSLATE_NOOP("PaymentKind", "Credit"),
                                        QT_TRANSLATE_NOOP("PaymentKind", "Partial")};
    for (const char* name : names) {
        if (kind == QLatin1String(name))
            return QCoreApplication::translate("PaymentKind", name);
    }
    return kind;
}

std::optional<qint64> paidChange(const QVariant& storedAmount, const QVariant& storedNetDue,
                                 const QString& amount, const QString& netDue) {
    const std::optional<qint64> newAmount = wholeNumber(amount);
    const std::optional<qint64> newNetDue = wholeNumber(netDue);
    if (!newAmount || !newNetDue)
        return std::nullopt;
    return (*newAmount - *newNetDue) - (wholeNumber(storedAmount) - wholeNumber(storedNetDue));
}
