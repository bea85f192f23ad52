#pragma once

#include <QString>
#include <QVariant>
#include <optional>

// Amounts on the invoice screen live in boxes as text. They are read by the leading-number rule
// (the longest numeric prefix; an empty or non-numeric text is 0), computed in double precision
// and written back as plain decimal text (150, not 150.00 or 1,500).
double leadingNumber(const QString& text);
// True when the whole text, blanks around it aside, is one number (a sign, digits, a decimal
// point, an exponent).
bool isNumeric(const QString& text);
QString amountText(double value);
// A numeric text as the database compares it with a number column: a whole number as an integer,
// any other number as a double; no value for a text that is not numeric.
std::optional<QVariant> numberValue(const QString& text);
