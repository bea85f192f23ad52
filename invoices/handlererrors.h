#pragma once

#include "core/apperror.h"
#include "core/dialogs.h"

#include <exception>

// How a screen handler tells the user that a step failed. The handlers of these screens keep
// the screen open after a failure, with whatever was written before it.
namespace handlererrors {

// The error's own description.
inline QString description(const AppError& error) {
    return error.description();
}
// The number, " -> " and the description, as the steps that carry on after a failure show it.
inline QString numberArrowDescription(const AppError& error) {
    return QString::number(error.number()) + " -> " + error.description();
}

// Runs one step; a failure is shown in a message (OK button) and the step ends there. True when
// the step ran through.
template <typename Step>
bool reported(Step&& step, QString (*text)(const AppError&) = &description) {
    try {
        step();
        return true;
    } catch (const AppError& error) {
        showMessage(text(error));
    } catch (const std::exception& error) {
        showMessage(text(AppError(ErrorNumber::Unexpected, QString::fromUtf8(error.what()))));
    }
    return false;
}

} // namespace handlererrors
