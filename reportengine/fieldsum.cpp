#include "reportengine/fieldsum.h"

#include "reportengine/valueformat.h"

#include <cmath>

void FieldSum::add(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::Bool:
        if (!value.isNull())
            whole_ += value.toLongLong();
        return;
    default:
        break;
    }
    const auto number = numericValue(value);
    if (!number)
        return;
    double integral = 0;
    if (std::modf(*number, &integral) == 0 && std::abs(integral) < 9e15) {
        whole_ += static_cast<qint64>(integral);
    } else {
        fraction_ += *number;
        hasFraction_ = true;
    }
}

QVariant FieldSum::total() const {
    if (hasFraction_)
        return static_cast<double>(whole_) + fraction_;
    return whole_;
}
