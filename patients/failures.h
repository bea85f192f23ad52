#pragma once

#include "core/apperror.h"

#include <functional>

// A failure as the screens show it: its number, " -> " and its description.
QString failureText(const AppError& error);

// Runs a handler's work; a failure stops the work and is shown to the user with failureText.
// The screen stays as the failing step left it: on its current record, boxes as typed.
void reportingFailures(const std::function<void()>& work);
