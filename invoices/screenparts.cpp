#include "invoices/screenparts.h"

#include "screens/widgets.h"

#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

namespace screenparts {

QFrame* panel(QWidget* parent, const QString& name) {
    return makePanel(parent, name, QString(), QFrame::Panel);
}

QRadioButton* option(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(QString(caption).remove('&'));
    return b;
}

namespace {
QLabel* labelFor(const QString& labelText, QWidget* box) {
    auto* label = new QLabel(labelText);
    label->setBuddy(box);
    box->setAccessibleName(QString(labelText).remove(':').simplified());
    return label;
}
} // namespace

void addLabelled(QFormLayout* form, const QString& labelText, QWidget* box) {
    form->addRow(labelFor(labelText, box), box);
}

void addUnderLabel(QGridLayout* grid, int column, const QString& labelText, QWidget* box) {
    grid->addWidget(labelFor(labelText, box), 0, column);
    grid->addWidget(box, 1, column);
}

} // namespace screenparts
