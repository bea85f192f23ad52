#pragma once

#include <QVariant>

class QWidget;

// The boxes that bind to a field: QLineEdit (MaskedEdit among them), QComboBox and QCheckBox.
namespace BoundBox {

bool isBindable(const QWidget* box);
// Shows a field's value: null as an empty box or an unchecked check box.
void show(QWidget* box, const QVariant& value);
// What the box holds for its field: its text, or 0/1 for a check box.
QVariant value(const QWidget* box);
// A check box's field is yes or no, never empty: a new record takes its value even untouched.
bool neverEmpty(const QWidget* box);

} // namespace BoundBox
