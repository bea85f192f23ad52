#pragma once

#include <QString>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// Boxes, buttons, labels and panels carrying the name that the screen's design gives them, and
// the name a person would say for them, so that tests and screen readers find each one.

// A text box; a maximum length of 0 leaves its length to the field it is bound to. A box made
// without a spoken name takes it from the label put beside it.
QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QString& spokenName = QString(),
                       int maxLength = 0);
// A button whose spoken name is its caption without the '&' of its access key.
QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption);
QLabel* makeLabel(QWidget* parent, const QString& text, QWidget* buddy = nullptr);
// A raised panel that groups controls, spoken as what it holds.
QFrame* makePanel(QWidget* parent, const QString& name, const QString& spokenName);
