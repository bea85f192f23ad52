#include "app/menuerrortrap.h"

#include "core/dialogs.h"
#include <QCoreApplication>

void showTrappedError(const AppError& error, const QString& cancelMessage) {
    if (error.number() == ErrorNumber::DialogCancelled)
        showMessage(cancelMessage);
    else
        showMessage(failureText(error, FailureWording::NumberDescription));
}

AppError dialogCancelled() {
    return AppError(ErrorNumber::DialogCancelled,
                    QCoreApplication::translate("MenuErrorTrap", "Cancel was selected."));
}
