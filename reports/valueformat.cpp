#include "reports/valueformat.h"

#include <QCoreApplication>
#include <QLocale>

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

QString displayValue(const QVariant& value, ValueFormat format, const QString& prefix) {
    if (format == ValueFormat::YesNo)
        return value.toBool() ? QCoreApplication::translate("ValueFormat", "Yes")
                              : QCoreApplication::translate("ValueFormat", "No");
    if (value.isNull())
        return QString();
    if (format == ValueFormat::Amount &&
        (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int))
        return prefix + formatWholeAmount(value.toLongLong());
    if (format == ValueFormat::Amount)
        if (const auto number = numericValue(value))
            return prefix + formatAmount(*number);
    return value.toString();
}
