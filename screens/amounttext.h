#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// Amounts on the screens live in boxes as text. The invoice screen reads them by the
// leading-number rule (the longest numeric prefix; an empty or non-numeric text is 0), computes
// in double precision and writes back plain decimal text (150, not 150.00 or 1,500).
double leadingNumber(const QString& text);
// The whole number that an amount box holds (blanks around it aside; an empty box is 0); none
// for any other text. This is the rule for a correction of an amount stored as a whole number.
std::optional<qint64> wholeNumber(const QString& text);
// A stored amount as a whole number; null is 0.
qint64 wholeNumber(const QVariant& value);
// True when the whole text, blanks around it aside, is one number (a sign, digits, a decimal
// point, an exponent).
bool isNumeric(const QString& text);
QString amountText(double value);
// A numeric text as the database compares it with a number column: a whole number as an integer,
// any other number as a double; no value for a text that is not numeric.
std::optional<QVariant> numberValue(const QString& text);
