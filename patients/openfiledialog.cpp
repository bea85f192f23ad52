#include "patients/openfiledialog.h"

#include "binding/datasource.h"
#include "binding/refreshform.h"
#include "core/dialogs.h"
#include "core/failures.h"
#include "db/clinic/patientfiles.h"
#include "db/clinic/scratchheader.h"
#include "screens/screens.h"
#include "screens/widgets.h"

#include "settings/appsettings.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

OpenFileDialog::OpenFileDialog(const AppSettingsRecord& settings, QWidget* parent)
    : WorkingScreen(parent), settings_(settings),
      patients_(new DataSource(this, "Data1", PatientFiles::kTable)),
      header_(new DataSource(this, "Data2", ScratchHeader::kTable)) {
    setObjectName("Form8");
    setWindowTitle(kNoCaption);
    setAccessibleName(tr("Open File"));

    fileNumber_ = makeTextBox(this, "Text1", tr("File Number"), 6);
    QFont font("Arial");
    font.setPointSizeF(9.75);
    font.setBold(true);
    fileNumber_->setFont(font);
    name_ = makeTextBox(this, "Text2", tr("Name"));
    address_ = makeTextBox(this, "Text3", tr("Address"));
    name_->setEnabled(false);
    address_->setEnabled(false);
    patientName_ = makeTextBox(this, "Text4", tr("Patient name"));
    patientAddress_ = makeTextBox(this, "Text5", tr("Patient address"));
    patientName_->hide();
    patientAddress_->hide();
    ok_ = makeButton(this, "SSCommand1", tr("OK"));
    cancel_ = makeButton(this, "SSCommand2", tr("CANCEL"));
    buildLayout();

    patients_->bind(patientName_, PatientFiles::kName);
    patients_->bind(patientAddress_, PatientFiles::kAddress);
    header_->bind(fileNumber_, ScratchHeader::kFileNumber);
    header_->bind(name_, ScratchHeader::kName);
    header_->bind(address_, ScratchHeader::kAddress);

    fileNumber_->installEventFilter(this);
    // A number typed since the last look-up has not been looked up.
    connect(fileNumber_, &QLineEdit::textEdited, this, [this] { ok_->setEnabled(false); });
    connect(ok_, &QPushButton::clicked, this, &OpenFileDialog::confirm);
    connect(cancel_, &QPushButton::clicked, this, &OpenFileDialog::reject);
}

void OpenFileDialog::buildLayout() {
    auto* layout = new QGridLayout(this);
    layout->addWidget(makeLabel(this, tr("File Number :"), fileNumber_), 0, 0);
    layout->addWidget(fileNumber_, 0, 1);
    layout->addWidget(makeLabel(this, tr("Name :"), name_), 1, 0);
    layout->addWidget(name_, 1, 1, 1, 2);
    layout->addWidget(makeLabel(this, tr("Address :"), address_), 2, 0);
    layout->addWidget(address_, 2, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons, 3, 0, 1, 3);
    layout->setColumnStretch(2, 1);
    fileNumber_->setMaximumWidth(fileNumber_->fontMetrics().horizontalAdvance("0000000000"));
    setMinimumWidth(380);
    setTabOrder(fileNumber_, ok_);
    setTabOrder(ok_, cancel_);
}

void OpenFileDialog::activate() {
    ok_->setEnabled(false);
    RefreshForm(this, settings_.databaseLocation());
    reported([this] { header_->addNew(); }, FailureWording::NumberArrowDescription);
    fileNumber_->setFocus();
}

// Leaving the number box looks the patient up; the window losing the focus to another window
// (a message, the invoice screen) is not leaving the box.
bool OpenFileDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == fileNumber_ && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            lookUp(reason == Qt::TabFocusReason);
    }
    return QDialog::eventFilter(watched, event);
}

void OpenFileDialog::lookUp(bool byTab) {
    ok_->setEnabled(false);
    reported(
        [&] {
            if (!patients_->findFirst(PatientFiles::kFileNumber, fileNumber_->text())) {
                showNotice(tr("not found"));
                name_->clear();
                address_->clear();
                return;
            }
            name_->setText(patientName_->text());
            address_->setText(patientAddress_->text());
            ok_->setEnabled(true);
        },
        FailureWording::NumberArrowDescription);
    // The Tab that left the box passed over "OK" while it was still disabled.
    if (byTab && ok_->isEnabled())
        QMetaObject::invokeMethod(
            ok_, [this] { ok_->setFocus(Qt::TabFocusReason); }, Qt::QueuedConnection);
}

void OpenFileDialog::confirm() {
    reported(
        [this] {
            header_->store();
            hide();
            if (QWidget* invoice = Screens::get(Screen::Invoice))
                invoice->show();
            else
                Screens::enableMainWindow(true);
        },
        FailureWording::NumberArrowDescription);
}

void OpenFileDialog::reject() {
    header_->cancel();
    Screens::enableMainWindow(true);
    QDialog::reject();
}
