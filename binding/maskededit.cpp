#include "binding/maskededit.h"

#include "core/apperror.h"
#include "core/maskclicks.h"

#include <QDate>
#include <algorithm>

namespace {

// The characters that mean something in Qt's own mask syntax, written with an escape to stand
// for themselves.
const QString qtMaskSymbols = "AaNnXx90Dd#HhBb<>!;[]{}\\";

QString qtInputMask(const QString& mask, QChar prompt) {
    QString result;
    for (const QChar c : mask) {
        if (c == '#')
            result += '0';
        else if (qtMaskSymbols.contains(c))
            result += QString('\\') + c;
        else
            result += c;
    }
    return result + ';' + prompt;
}

// The stored "d/M/yyyy" read by hand: every record shown goes through here, and Qt's parse of a
// format string costs a few microseconds each time. Anything else is left to Qt.
QDate dayMonthYear(const QString& text) {
    const QList<QStringView> parts = QStringView(text).split(u'/');
    if (parts.size() != 3)
        return {};
    const int shortest[] = {1, 1, 4}, longest[] = {2, 2, 4};
    int numbers[3];
    for (int i = 0; i < 3; ++i) {
        const QStringView part = parts[i];
        const bool digits =
            std::all_of(part.begin(), part.end(), [](QChar c) { return c >= '0' && c <= '9'; });
        if (!digits || part.size() < shortest[i] || part.size() > longest[i])
            return {};
        numbers[i] = part.toInt();
    }
    return QDate(numbers[2], numbers[1], numbers[0]);
}

} // namespace

MaskedEdit::MaskedEdit(QWidget* parent) : QLineEdit(parent) {
    // Dates and codes are typed left to right in a right-to-left screen too.
    setLayoutDirection(Qt::LeftToRight);
    keepClicksInMask(this);
}

void MaskedEdit::setMask(const QString& mask) {
    mask_ = mask;
    applyMask();
}

void MaskedEdit::setPromptChar(QChar prompt) {
    const QString shown = maskedText();
    const QChar previous = prompt_;
    prompt_ = prompt;
    applyMask();
    if (mask_.isEmpty())
        return;
    QString kept = shown;
    for (int i = 0; i < kept.size(); ++i)
        if (isDigitPosition(i) && kept[i] == previous)
            kept[i] = prompt_;
    QLineEdit::setText(kept);
}

void MaskedEdit::applyMask() {
    setInputMask(mask_.isEmpty() ? QString() : qtInputMask(mask_, prompt_));
}

bool MaskedEdit::isDigitPosition(int position) const {
    return position < mask_.size() && mask_[position] == '#';
}

QString MaskedEdit::maskedText() const {
    return mask_.isEmpty() ? text() : displayText();
}

QString MaskedEdit::value() const {
    if (mask_.isEmpty())
        return text();
    const QString shown = displayText();
    for (int i = 0; i < shown.size(); ++i)
        if (isDigitPosition(i) && shown[i].isDigit())
            return shown;
    return QString();
}

bool MaskedEdit::fits(const QString& text) const {
    if (mask_.isEmpty() || text.isEmpty())
        return true;
    if (text.size() != mask_.size())
        return false;
    for (int i = 0; i < text.size(); ++i) {
        const bool ok = isDigitPosition(i)
                            ? (text[i] >= '0' && text[i] <= '9') || text[i] == prompt_
                            : text[i] == mask_[i];
        if (!ok)
            return false;
    }
    return true;
}

void MaskedEdit::setText(const QString& text) {
    if (!fits(text))
        throw AppError(ErrorNumber::InvalidPropertyValue, tr("Invalid property value"));
    showValue(text);
}

void MaskedEdit::showValue(const QString& text) {
    QLineEdit::setText(inDisplayFormat(text));
}

// Dates kept by hand or by other programs may lack the leading zeros or follow ISO order.
QString MaskedEdit::inDisplayFormat(const QString& text) const {
    if (displayFormat_.isEmpty())
        return text;
    const QString trimmed = text.trimmed();
    QDate date = dayMonthYear(trimmed);
    if (!date.isValid())
        date = QDate::fromString(trimmed, "d/M/yyyy");
    if (!date.isValid())
        date = QDate::fromString(trimmed, Qt::ISODate);
    return date.isValid() ? date.toString(displayFormat_) : text;
}
