#pragma once

#include "core/apperror.h"

#include <QString>
#include <exception>

// How a settings menu answers an error it traps: the file dialog's cancel with the menu's own
// message, any other error with its number, a blank and its description.
void showTrappedError(const AppError& error, const QString& cancelMessage);

// Runs a menu action under that error trap.
template <typename Action> void underMenuErrorTrap(const QString& cancelMessage, Action action) {
    try {
        action();
    } catch (const AppError& error) {
        showTrappedError(error, cancelMessage);
    } catch (const std::exception& error) {
        showTrappedError(AppError(ErrorNumber::Unexpected, QString::fromUtf8(error.what())),
                         cancelMessage);
    }
}

// The error that a cancelled file dialog stands for.
AppError dialogCancelled();
