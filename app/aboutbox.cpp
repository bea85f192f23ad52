#include "app/aboutbox.h"

#include "app/logodrawing.h"
#include "app/sysinfo.h"
#include "app/weblinklabel.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVersionNumber>
#include <algorithm>

namespace {

constexpr auto kTitle = "Korvel";
constexpr auto kWebAddress = "https://ovrant.example/korvel";

QLabel* namedLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(QString(caption).remove('&'));
    // Room at both ends of the caption in either language: the style's own leaves it touching
    // the frame.
    const int room = button->fontMetrics().size(Qt::TextShowMnemonic, caption).width() + 24;
    button->setMinimumWidth(std::max(button->sizeHint().width(), room));
    return button;
}

} // namespace

QString versionText() {
    const QVersionNumber version = QVersionNumber::fromString(KORVEL_VERSION);
    return QCoreApplication::translate("AboutBox", "Version %1.%2.%3")
        .arg(version.majorVersion())
        .arg(version.minorVersion())
        .arg(version.microVersion());
}

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("frmAbout");
    setWindowTitle(tr("About %1").arg(kTitle));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    // Escape ends the box as its OK button does.
    connect(this, &QDialog::finished, this, &QWidget::close);

    auto* icon = new QLabel(this);
    icon->setObjectName("picIcon");
    icon->setAccessibleName(tr("Application icon"));
    icon->setPixmap(applicationIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(18, 18, 18, 14);
    grid->setHorizontalSpacing(18);
    grid->addWidget(icon, 0, 0);
    grid->addLayout(textColumn(), 0, 1);
    grid->addLayout(buttonRow(), 1, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

QLayout* AboutBox::textColumn() {
    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    QLabel* title = namedLabel("lblTitle", kTitle, this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    column->addWidget(title);
    column->addWidget(namedLabel("lblVersion", versionText(), this));
    QLabel* description = namedLabel(
        "lblDescription",
        tr("Patient files, procedures, invoices and reports for a one-doctor clinic."), this);
    // Wide enough that the description wraps once at most.
    description->setMinimumWidth(300);
    column->addWidget(description);
    auto* line = new QFrame(this);
    line->setObjectName("Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    column->addSpacing(6);
    column->addWidget(line);
    column->addWidget(namedLabel("Label1", tr("Made by ovrant."), this));
    auto* link = new WebLinkLabel(kWebAddress, this);
    link->setObjectName("lblDisclaimer");
    link->setAccessibleName(tr("Web site %1").arg(kWebAddress));
    column->addWidget(link, 0, Qt::AlignLeft);
    return column;
}

QLayout* AboutBox::buttonRow() {
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 12, 0, 0);
    row->setSpacing(8);
    QPushButton* sysInfo = namedButton("cmdSysInfo", tr("&System Info..."), this);
    QPushButton* ok = namedButton("cmdOK", tr("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    connect(sysInfo, &QPushButton::clicked, this, StartSysInfo);
    row->addStretch(1);
    row->addWidget(sysInfo);
    row->addWidget(ok);
    return row;
}
