#include "binding/boundbox.h"

#include "binding/maskededit.h"

#include <QCheckBox>
#include <QComboBox>

namespace BoundBox {

bool isBindable(const QWidget* box) {
    return qobject_cast<const QLineEdit*>(box) || qobject_cast<const QComboBox*>(box) ||
           qobject_cast<const QCheckBox*>(box);
}

namespace {

// Laying out a box's text is most of what showing a record costs, and many fields of one record
// are as empty as the last one's: a box that already shows the value, holding no edit of the
// user's that undo could bring back, is left as it stands.
bool showsAlready(const QWidget* box, const QString& text) {
    const auto* line = qobject_cast<const QLineEdit*>(box);
    return line && !line->isUndoAvailable() && !line->isRedoAvailable() &&
           value(box).toString() == text;
}

// A list item may show another text than the one it stores (the interface's language): the
// stored text is its data.
QString shownItemText(const QComboBox* combo, const QString& stored) {
    const int index = combo->findData(stored);
    return index < 0 ? stored : combo->itemText(index);
}

QString storedItemText(const QComboBox* combo) {
    const QString shown = combo->currentText();
    const int index = combo->findText(shown);
    return index < 0 || !combo->itemData(index).isValid() ? shown
                                                          : combo->itemData(index).toString();
}

} // namespace

void show(QWidget* box, const QVariant& value) {
    const QString text = value.isNull() ? QString() : value.toString();
    if (showsAlready(box, text))
        return;
    if (auto* masked = qobject_cast<MaskedEdit*>(box))
        masked->showValue(text);
    else if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(box))
        combo->isEditable() ? combo->setEditText(shownItemText(combo, text))
                            : combo->setCurrentIndex(combo->findText(shownItemText(combo, text)));
    else if (auto* check = qobject_cast<QCheckBox*>(box))
        check->setChecked(!value.isNull() && value.toInt() != 0);
}

QVariant value(const QWidget* box) {
    if (auto* masked = qobject_cast<const MaskedEdit*>(box))
        return masked->value();
    if (auto* line = qobject_cast<const QLineEdit*>(box))
        return line->text();
    if (auto* combo = qobject_cast<const QComboBox*>(box))
        return storedItemText(combo);
    if (auto* check = qobject_cast<const QCheckBox*>(box))
        return check->isChecked() ? 1 : 0;
    return {};
}

bool neverEmpty(const QWidget* box) {
    return qobject_cast<const QCheckBox*>(box);
}

} // namespace BoundBox
