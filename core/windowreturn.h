#pragma once

#include <QEvent>

class QWidget;

// A program window shown over a screen (a report preview) tells the screen when it has closed:
// the screen is then active again, as when the user first opened it.
QEvent::Type windowReturnEvent();
// Posts the event to the window, to arrive once the window over it is gone.
void returnTo(QWidget* window);
