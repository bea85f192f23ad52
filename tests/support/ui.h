#pragma once

#include "screens/screens.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QAbstractItemModel;
class QLineEdit;
class QTableView;

// Working a screen as its user does: controls found by the names the screens give them, clicks
// and typing delivered as the window system would deliver them.

// The named control; a missing one ends the run, since nothing after it could be checked.
template <typename T = QWidget> T* child(QWidget* screen, const QString& name) {
    T* found = screen->findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

QLineEdit* box(QWidget* screen, const QString& name);
QTableView* grid(QWidget* screen, const QString& name);
void click(QWidget* screen, const QString& button);
void trigger(QWidget* screen, const QString& menuItem);
// A click on the round button of an option.
void chooseOption(QWidget* screen, const QString& name);
void clickRow(QTableView* grid, int row);
// A double-click as the window system delivers it: a click, then the second press.
void doubleClickRow(QTableView* grid, int row);

// Moves to the box and types the text over what it held.
void retype(QWidget* screen, const QString& name, const QString& text);
// Types any text, Arabic letters among them, one key at a time as a keyboard sends it.
void typeText(QWidget* widget, const QString& text);
// Tabs into the box, types the text over what it held and leaves with the Tab key.
void typeAndTab(QWidget* screen, const QString& name, const QString& text);
// Types into a box the user has moved to, over what it held, and moves on to the next control.
void typeInto(QWidget* screen, const QString& name, const QString& typed, const QString& next);

// A plain window in the main window's place, for the screens under test to disable and give back.
void standInForMainWindow();
// The main window, or what stands in for it.
QWidget* mainWindow();
// Opens a screen as the main window's buttons do, the main window disabled while it is open.
QWidget* showScreen(Screen screen);
// The same, once the window system has made the screen the active window.
QWidget* showActiveScreen(Screen screen);
// A click, and what the screens queue in answer to it.
void press(QWidget* screen, const QString& button);
// The screen that a button of the main window opened, once it is up and running.
QWidget* opened(Screen which);
// Discards the screens that were closed, as the event loop does once it is back.
void discardClosed();
// True once the screen was closed and discarded.
bool isDeleted(const QPointer<QWidget>& screen);

// One column of a model or of the model a grid shows, top to bottom.
QStringList columnOf(const QAbstractItemModel* model, int column);
QStringList columnOf(const QTableView* grid, int column);
