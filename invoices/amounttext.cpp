#include "invoices/amounttext.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {
const QString kNumber = R"([+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?)";
}

double leadingNumber(const QString& text) {
    static const QRegularExpression prefix("^\\s*" + kNumber);
    const QRegularExpressionMatch match = prefix.match(text);
    if (!match.hasMatch())
        return 0;
    bool ok = false;
    const double value = QLocale::c().toDouble(match.captured(0).trimmed(), &ok);
    return ok && std::isfinite(value) ? value : 0;
}

bool isNumeric(const QString& text) {
    static const QRegularExpression whole("^\\s*" + kNumber + "\\s*$");
    return whole.match(text).hasMatch();
}

std::optional<QVariant> numberValue(const QString& text) {
    if (!isNumeric(text))
        return std::nullopt;
    const QString number = text.trimmed();
    bool whole = false;
    const qlonglong value = number.toLongLong(&whole);
    return whole ? QVariant(value) : QVariant(QLocale::c().toDouble(number));
}

QString amountText(double value) {
    if (value == 0)
        return "0"; // also for -0
    QString text = QString::number(value, 'f', 6);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.'))
        text.chop(1);
    return text;
}
