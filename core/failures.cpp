#include "core/failures.h"

QString failureText(const AppError& error, FailureWording wording) {
    const QString number = QString::number(error.number());
    switch (wording) {
    case FailureWording::NumberArrowDescription:
        return number + " -> " + error.description();
    case FailureWording::DescriptionNumber:
        return error.description() + " " + number;
    case FailureWording::NumberDescription:
        return number + " " + error.description();
    case FailureWording::Description:
        break;
    }
    return error.description();
}
