#include "reportengine/valueformat.h"

#include <QCoreApplication>
#include <QLocale>
#include <optional>

std::optional<double> numericValue(const QVariant& value) {
    if (value.isNull())
        return std::nullopt;
    bool ok = false;
    const double number = value.typeId() == QMetaType::QString
                              ? QLocale::c().toDouble(value.toString().trimmed(), &ok)
                              : value.toDouble(&ok);
    return ok ? std::optional<double>(number) : std::nullopt;
}

QString formatAmount(double amount) {
    static const QLocale grouped(QLocale::English, QLocale::UnitedStates);
    return grouped.toString(amount, 'f', 2);
}

QString formatWholeAmount(qint64 amount) {
    static const QLocale grouped(QLocale::English, QLocale::UnitedStates);
    return grouped.toString(amount) + ".00";
}

namespace {

// The words the program stores; a text typed by the user shows as it was typed.
const char* const kStoredWords[] = {
    QT_TRANSLATE_NOOP("StoredWord", "Cash"),
    QT_TRANSLATE_NOOP("StoredWord", "Credit"),
    QT_TRANSLATE_NOOP("StoredWord", "Partial"),
    QT_TRANSLATE_NOOP("StoredWord", "Carried over"),
    QT_TRANSLATE_NOOP("StoredWord", "Card"),
    QT_TRANSLATE_NOOP("StoredWord", "Bank transfer"),
    QT_TRANSLATE_NOOP("StoredWord", "Cheque"),
    QT_TRANSLATE_NOOP("StoredWord", "Invoice"),
    QT_TRANSLATE_NOOP("StoredWord", "Unrecorded payment"),
    QT_TRANSLATE_NOOP("StoredWord", "Payment, Cash"),
    QT_TRANSLATE_NOOP("StoredWord", "Payment, Credit"),
    QT_TRANSLATE_NOOP("StoredWord", "Payment, Partial"),
    QT_TRANSLATE_NOOP("StoredWord", "Payment, Carried over"),
    QT_TRANSLATE_NOOP("StoredWord", "Refund, Cash"),
    QT_TRANSLATE_NOOP("StoredWord", "Refund, Credit"),
    QT_TRANSLATE_NOOP("StoredWord", "Refund, Partial"),
    QT_TRANSLATE_NOOP("StoredWord", "Refund, Carried over"),
    QT_TRANSLATE_NOOP("StoredWord", "Payment"),
    QT_TRANSLATE_NOOP("StoredWord", "Refund"),
    QT_TRANSLATE_NOOP("StoredWord", "Invoice deleted"),
    QT_TRANSLATE_NOOP("StoredWord", "SAUDI"),
    QT_TRANSLATE_NOOP("StoredWord", "NON SAUDI"),
};

std::optional<QString> translatedWord(const QString& stored) {
    for (const char* word : kStoredWords)
        if (stored == QLatin1String(word))
            return QCoreApplication::translate("StoredWord", word);
    return std::nullopt;
}

// An entry and a kind ("Payment, Card") are shown word by word when not known as a whole.
QString shownWord(const QString& stored) {
    if (const auto whole = translatedWord(stored))
        return *whole;
    const qsizetype comma = stored.lastIndexOf(", ");
    if (comma < 0)
        return stored;
    return shownWord(stored.left(comma)) + QCoreApplication::translate("StoredWord", ", ") +
           shownWord(stored.mid(comma + 2));
}

} // namespace

QString displayValue(const QVariant& value, ValueFormat format, const QString& prefix) {
    if (format == ValueFormat::YesNo)
        return value.toBool() ? QCoreApplication::translate("ValueFormat", "Yes")
                              : QCoreApplication::translate("ValueFormat", "No");
    if (value.isNull())
        return QString();
    if (format == ValueFormat::StoredWord)
        return shownWord(value.toString());
    if (format == ValueFormat::Amount &&
        (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int))
        return prefix + formatWholeAmount(value.toLongLong());
    if (format == ValueFormat::Amount)
        if (const auto number = numericValue(value))
            return prefix + formatAmount(*number);
    return value.toString();
}
