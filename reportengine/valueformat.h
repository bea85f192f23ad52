#pragma once

#include "reportengine/reportdefinition.h"

#include <QVariant>
#include <optional>

// The number a value stands for, when it is one (a number, or a text that reads as one).
std::optional<double> numericValue(const QVariant& value);

// The money pattern "###,##0.00": a group separator every three digits, exactly two decimals.
QString formatAmount(double amount);
// The same for a whole number, exactly at any size.
QString formatWholeAmount(qint64 amount);

// A field's value as a text box or a function shows it; null shows as nothing.
QString displayValue(const QVariant& value, ValueFormat format, const QString& prefix);
