#include "screens/amounttext.h"

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
