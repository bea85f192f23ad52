#pragma once

// What the user sees of a window: its picture, the order its texts stand in, whole captions.

#include <QString>

class QWidget;

// A picture of the window as it stands, saved as screenshots/NAME.png under the test's working
// directory, to be looked at; its path.
QString screenshot(QWidget* window, const QString& name);

// True when the part of the text stands on the line left to right, each character to the right
// of the one before, when the line is laid out in the given direction as the widgets lay it out.
bool readsLeftToRight(const QString& shown, const QString& part, Qt::LayoutDirection direction);

// The buttons of the window that leave their caption no room at its ends, or touch another.
QStringList crampedButtons(QWidget* window);

class QTableView;
class QModelIndex;

// A cell's text as the grid draws it, and the direction it is drawn in.
struct DrawnCell {
    QString text;
    Qt::LayoutDirection direction;
};
DrawnCell drawnCell(QTableView* grid, const QModelIndex& index);

// True when the cell, in a picture of its whole window, shows its text in the text's own
// left-to-right order rather than turned around by the right-to-left line ("1+1=" for "=1+1").
bool cellShowsLeftToRight(QTableView* grid, const QModelIndex& index);
