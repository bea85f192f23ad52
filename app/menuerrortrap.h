#pragma once

#include "core/failures.h"

#include <QString>

// How a settings menu answers an error it traps: the file dialog's cancel with the menu's own
// message, any other error with its number, a blank and its description.
void showTrappedError(const AppError& error, const QString& cancelMessage);

// Runs a menu action under that error trap.
template <typename Action> void underMenuErrorTrap(const QString& cancelMessage, Action action) {
    trapped(action, [&](const AppError& error) { showTrappedError(error, cancelMessage); });
}

// The error that a cancelled file dialog stands for.
AppError dialogCancelled();
