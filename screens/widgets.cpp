#include "screens/widgets.h"

#include "binding/wholecharacters.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QString& spokenName,
                       int maxLength) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    if (!spokenName.isEmpty())
        box->setAccessibleName(spokenName);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    keepWholeCharacters(box);
    return box;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove('&'));
    button->setAutoDefault(false);
    return button;
}

QLabel* makeLabel(QWidget* parent, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, parent);
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QFrame* makePanel(QWidget* parent, const QString& name, const QString& spokenName) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setAccessibleName(spokenName);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Raised);
    return frame;
}
