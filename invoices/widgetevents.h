#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

// Handlers for the moments the screens react to that Qt offers only as events.

// Runs the handler when the focus leaves the widget for another control of the program; a
// message box or another window taking over does not count.
void onFocusLeaves(QWidget* widget, std::function<void()> handler);

// Offers every key pressed in the widget to the handler first; it returns true when it used
// the key up, so that the widget does not see it.
void onKeyPress(QWidget* widget, std::function<bool(QKeyEvent*)> handler);

// True for Enter on the main keyboard or the keypad.
bool isEnterKey(const QKeyEvent* key);
