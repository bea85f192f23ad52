#pragma once

#include <QString>

class QFormLayout;
class QGridLayout;
class QFrame;
class QRadioButton;
class QWidget;

// The parts the invoicing screens are built from. Each carries the name that the screen's design
// gives it, and the name a person would say for it, so that tests and screen readers find it.
namespace screenparts {

// A raised panel that groups boxes or buttons, in the invoicing screens' bevelled look.
QFrame* panel(QWidget* parent, const QString& name);
QRadioButton* option(QWidget* parent, const QString& name, const QString& caption);
// Adds a labelled box to a form; the box is spoken as the label without its colon.
void addLabelled(QFormLayout* form, const QString& labelText, QWidget* box);
// Puts a box under its label in a column of a grid layout.
void addUnderLabel(QGridLayout* grid, int column, const QString& labelText, QWidget* box);

} // namespace screenparts
