#include "patients/failures.h"

#include "core/dialogs.h"

QString failureText(const AppError& error) {
    return QString::number(error.number()) + " -> " + error.description();
}

void reportingFailures(const std::function<void()>& work) {
    try {
        work();
    } catch (const AppError& error) {
        showMessage(failureText(error));
    }
}
