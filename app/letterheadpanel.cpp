#include "app/letterheadpanel.h"

#include "settings/appsettings.h"

#include <QEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {

// The letterhead reads like the printed one: the clinic's name largest, then the doctor's.
QFont letterheadFont(QFont font, int number) {
    const qreal scale[] = {1.9, 1.35, 1.05, 1.05, 1.05};
    font.setPointSizeF(font.pointSizeF() * scale[number - 1]);
    font.setBold(number <= 2);
    return font;
}

} // namespace

LetterheadPanel::LetterheadPanel(const Letterhead& l, QWidget* parent) : QFrame(parent) {
    setObjectName("SSPanel2");
    setAccessibleName(tr("Letterhead"));
    setFrameShape(QFrame::StyledPanel);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    setMinimumWidth(280);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 12, 16, 12);
    column->setSpacing(4);
    column->addStretch(1);
    column->addWidget(line(1, tr("Clinic name")));
    column->addWidget(line(2, tr("Doctor name")));
    column->addSpacing(6);
    column->addWidget(line(3, tr("Qualification 1")));
    column->addWidget(line(4, tr("Qualification 2")));
    column->addWidget(line(5, tr("Qualification 3")));
    column->addStretch(1);
    showLetterhead(l);
}

void LetterheadPanel::showLetterhead(const Letterhead& l) {
    const QString lines[] = {l.clinicname, l.drname, l.qualifications1, l.qualifications2,
                             l.qualifications3};
    for (int i = 0; i < 5; ++i)
        findChild<QLabel*>("Label" + QString::number(i + 1))->setText(lines[i]);
}

// A line's accessible name is the text it shows; its role is told as its description.
QLabel* LetterheadPanel::line(int number, const QString& role) {
    auto* label = new QLabel(this);
    label->setObjectName("Label" + QString::number(number));
    label->setAccessibleDescription(role);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setFont(letterheadFont(label->font(), number));
    return label;
}

// A window does not size itself by the height that wrapped lines need at its width; the panel's
// minimum height carries that need up to it. Lines change text through SetDefaults and the menus.
bool LetterheadPanel::event(QEvent* event) {
    const bool handled = QFrame::event(event);
    if (event->type() == QEvent::LayoutRequest)
        askForWholeLines();
    return handled;
}

void LetterheadPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    askForWholeLines();
}

void LetterheadPanel::askForWholeLines() {
    const int needed = layout()->totalHeightForWidth(width());
    if (needed > 0 && needed != minimumHeight())
        setMinimumHeight(needed);
}
