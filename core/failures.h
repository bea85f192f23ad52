#pragma once

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"

#include <exception>

// How a failure is worded for the user. Each place keeps the wording its users have always seen.
enum class FailureWording {
    Description,            // the error's own description
    NumberArrowDescription, // "3021 -> No current record."
    DescriptionNumber,      // "No current record. 3021"
    NumberDescription,      // "3021 No current record."
};

QString failureText(const AppError& error, FailureWording wording);

// Runs a step and hands its failure, an unexpected one too, to the handler. True when the step
// ran through.
template <typename Step, typename Handler> bool trapped(Step&& step, Handler&& handler) {
    try {
        step();
        return true;
    } catch (const AppError& error) {
        handler(error);
    } catch (const std::exception& error) {
        handler(AppError(ErrorNumber::Unexpected, QString::fromUtf8(error.what())));
    }
    return false;
}

// A failure of the step is shown to the user in a message (OK button); what the step wrote
// before it failed stays.
template <typename Step>
bool reported(Step&& step, FailureWording wording = FailureWording::Description) {
    return trapped(step,
                   [wording](const AppError& error) { showMessage(failureText(error, wording)); });
}

// A failure of the step is written to the error log under the procedure's label.
template <typename Step> bool logged(const char* label, Step&& step) {
    return trapped(step, [label](const AppError& error) { ErrorLog::write(label, error); });
}
