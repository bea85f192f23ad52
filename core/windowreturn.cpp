#include "core/windowreturn.h"

#include <QCoreApplication>
#include <QWidget>

QEvent::Type windowReturnEvent() {
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

void returnTo(QWidget* window) {
    if (window)
        QCoreApplication::postEvent(window, new QEvent(windowReturnEvent()));
}
