#include "invoices/navigationbar.h"

#include "binding/datasource.h"
#include "core/failures.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

NavigationBar::NavigationBar(QWidget* parent, const QString& name, DataSource* source)
    : QFrame(parent), source_(source), caption_(new QLabel(this)) {
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 2, 2, 2);
    addMove("|<", tr("First record"), &DataSource::moveFirst);
    addMove("<", tr("Previous record"), &DataSource::movePrevious);
    caption_->setAlignment(Qt::AlignCenter);
    row->addWidget(caption_, 1);
    addMove(">", tr("Next record"), &DataSource::moveNext);
    addMove(">|", tr("Last record"), &DataSource::moveLast);
}

void NavigationBar::addMove(const QString& text, const QString& spokenName,
                            void (DataSource::*move)()) {
    auto* button = new QToolButton(this);
    button->setText(text);
    button->setAccessibleName(spokenName);
    button->setAutoRaise(true);
    layout()->addWidget(button);
    connect(button, &QToolButton::clicked, this,
            [this, move] { reported([&] { (source_->*move)(); }); });
}

void NavigationBar::setCaption(const QString& caption) {
    caption_->setText(caption);
    setAccessibleName(caption);
}

QString NavigationBar::caption() const {
    return caption_->text();
}
