#include "patients/patientfilescreen.h"

#include "binding/datasource.h"
#include "binding/maskededit.h"
#include "binding/refreshform.h"
#include "binding/wholecharacters.h"
#include "core/dialogs.h"
#include "core/failures.h"
#include "core/programdir.h"
#include "db/clinic/invoicework.h"
#include "db/clinic/patientfiles.h"
#include "db/clinic/patientfiling.h"
#include "db/clinic/payments.h"
#include "db/clinic/savedinvoices.h"
#include "db/upkeep/schema.h"
#include "patients/fullname.h"
#include "patients/patientreports.h"
#include "reports/moneyreports.h"
#include "screens/paymentchanges.h"
#include "settings/appsettings.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableView>

namespace {

QString askFileNumber() {
    return dialogs().inputBox(QCoreApplication::translate("PatientFileScreen", "File Number :"),
                              QCoreApplication::translate("PatientFileScreen", "Open File"));
}

// An invoice corrected in the grid that changes the amount paid writes that change as a payment
// of the kind the user names, in the same transaction; with no kind named nothing is written.
Record writeInvoiceRow(const AppSettingsRecord& settings, const RecordSourceModel::RowEdit& edit,
                       const std::function<Record()>& write) {
    const auto shown = [&](const QString& field) {
        return (edit.typed.contains(field) ? edit.typed[field] : edit.stored.value(field))
            .toString();
    };
    const std::optional<qint64> change = paidChange(
        edit.stored.value(SavedInvoices::kAmount), edit.stored.value(SavedInvoices::kNetDue),
        shown(SavedInvoices::kAmount), shown(SavedInvoices::kNetDue));
    if (!change || *change == 0)
        return write();
    const std::optional<QString> kind =
        askPaymentKind(*change, paymentKinds(settings.paymentkinds));
    if (!kind)
        throw AppError(ErrorNumber::DialogCancelled,
                       QCoreApplication::translate(
                           "PatientFileScreen",
                           "The invoice was not changed: no kind was chosen for its payment."));
    Record written;
    correctPayment(settings.databaseLocation(),
                   {edit.stored.value(SavedInvoices::kNumber),
                    edit.stored.value(SavedInvoices::kFileNumber).toString(), today(), *change,
                    *kind},
                   [&] { written = write(); });
    return written;
}

} // namespace

// Opened only once: opened again after the nationality count's preview, the file number prompt
// would re-read the files and drop a file being entered.
PatientFileScreen::PatientFileScreen(const AppSettingsRecord& settings, QWidget* parent)
    : WorkingScreen(parent, Opening::Once), settings_(settings),
      patients_(new DataSource(this, "Data1", PatientFiles::kTable)),
      invoices_(new DataSource(this, "Data2", SavedInvoices::kTable)) {
    setObjectName("Form1");
    setWindowTitle(tr("Pt. File"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    patients_->setStoresOnMove(true);
    form_ = buildPatientFileForm(this, patients_, invoices_);
    invoices_->model()->setRowWriter([this](const auto& edit, const auto& write) {
        return writeInvoiceRow(settings_, edit, write);
    });
    connectHandlers();
}

void PatientFileScreen::connectHandlers() {
    connect(form_.save, &QPushButton::clicked, this, &PatientFileScreen::save);
    connect(form_.newFile, &QPushButton::clicked, this, &PatientFileScreen::newFile);
    connect(form_.open, &QPushButton::clicked, this, &PatientFileScreen::openFile);
    connect(form_.quit, &QPushButton::clicked, this, &QWidget::close);
    connect(form_.cancelNew, &QPushButton::clicked, this, &PatientFileScreen::cancelNewFile);
    connect(form_.remove, &QPushButton::clicked, this, &PatientFileScreen::deleteFile);
    connect(form_.print, &QPushButton::clicked, this, &PatientFileScreen::print);
    connect(form_.cancelFirst, &QPushButton::clicked, this, &PatientFileScreen::cancelFirstFile);
    connect(form_.tabs, &QTabWidget::currentChanged, this, &PatientFileScreen::listInvoices);
    connect(form_.nationalityCount, &QAction::triggered, this,
            &PatientFileScreen::countByNationality);
    connect(form_.statement, &QAction::triggered, this, &PatientFileScreen::showStatement);
}

bool PatientFileScreen::readyToClose() {
    return invoices_->model()->writeEditedRow() && storeOnClose();
}

// A file being entered is stored as Save would store it; a refused store keeps the screen open
// with what was typed.
bool PatientFileScreen::storeOnClose() {
    const bool adding = patients_->isAddingNew();
    if (!(adding || patients_->hasCurrent()) || !patients_->hasPendingEdits())
        return true;
    try {
        if (adding)
            composeFullName();
        return storeFile();
    } catch (const AppError& error) {
        showMessage(failureText(error, FailureWording::NumberArrowDescription));
        return false;
    }
}

void PatientFileScreen::activate() {
    RefreshForm(this, settings_.databaseLocation());
    const QString answer = askFileNumber();
    if (answer.isEmpty()) {
        close();
        return;
    }
    bool found = false;
    try {
        found = patients_->findFirst(PatientFiles::kFileNumber, answer);
    } catch (const AppError& error) {
        showMessage(failureText(error, FailureWording::NumberArrowDescription));
    }
    if (!found)
        beginFileAtActivation(answer);
}

void PatientFileScreen::beginFileAtActivation(const QString& number) {
    showNotice(tr("not found"));
    try {
        beginNewFile(form_.cancelFirst, number);
    } catch (const AppError& error) {
        if (error.number() != ErrorNumber::InvalidPropertyValue) {
            showMessage(failureText(error, FailureWording::NumberArrowDescription));
            return;
        }
        showMessage(tr("Please enter the date"));
        form_.boxes.date->setFocus();
    }
}

void PatientFileScreen::beginNewFile(QPushButton* cancel, const QString& number) {
    patients_->addNew();
    showState(cancel);
    form_.boxes.fileNumber->setText(number);
    clearDate();
    form_.boxes.date->setText(today().toString("dd/MM/yyyy"));
}

void PatientFileScreen::showState(QPushButton* cancel) {
    const bool adding = cancel != nullptr;
    form_.open->setVisible(!adding);
    form_.cancelNew->setVisible(cancel == form_.cancelNew);
    form_.cancelFirst->setVisible(cancel == form_.cancelFirst);
    for (QPushButton* button : {form_.quit, form_.newFile, form_.remove, form_.print})
        button->setEnabled(!adding);
}

void PatientFileScreen::clearDate() {
    form_.boxes.date->setMask("  /  /    ");
    form_.boxes.date->setMask("##/##/####");
}

void PatientFileScreen::save() {
    reported(
        [this] {
            composeFullName();
            const QString number = form_.boxes.fileNumber->text();
            if (!storeFile())
                return;
            patients_->findFirst(PatientFiles::kFileNumber, number);
            showState(nullptr);
        },
        FailureWording::NumberArrowDescription);
}

// A new file is filed only under a number that no other desk has filed since it was looked up;
// the user is told so as the look-up would tell, and keeps what was typed.
bool PatientFileScreen::storeFile() {
    if (!patients_->isAddingNew()) {
        patients_->store();
        return true;
    }
    if (fileNewPatient(settings_.databaseLocation(), form_.boxes.fileNumber->text(),
                       [this] { patients_->store(); }))
        return true;
    showNotice(tr("is found"));
    return false;
}

// Four full name parts can be longer than the full name's column; the parts keep every character
// on their own.
void PatientFileScreen::composeFullName() {
    const PatientBoxes& boxes = form_.boxes;
    const QString fullName = ::composeFullName(boxes.givenName->text(), boxes.secondName->text(),
                                               boxes.thirdName->text(), boxes.familyName->text());
    boxes.fullName->setText(
        cutToLength(fullName, tableDef(PatientFiles::kTable).column(PatientFiles::kName)->size));
}

void PatientFileScreen::newFile() {
    const QString answer = askFileNumber();
    if (answer.isEmpty())
        return;
    reported(
        [&] {
            if (patients_->findFirst(PatientFiles::kFileNumber, answer.trimmed()))
                showNotice(tr("is found"));
            else
                beginNewFile(form_.cancelNew, answer);
        },
        FailureWording::NumberArrowDescription);
}

void PatientFileScreen::openFile() {
    const QString answer = askFileNumber();
    if (answer.isEmpty())
        return;
    reported(
        [&] {
            if (!patients_->findFirst(PatientFiles::kFileNumber, answer))
                showNotice(tr("not found"));
        },
        FailureWording::NumberArrowDescription);
}

void PatientFileScreen::cancelNewFile() {
    clearDate();
    patients_->cancel();
    showState(nullptr);
}

void PatientFileScreen::cancelFirstFile() {
    clearDate();
    patients_->cancel();
    close();
}

// The patient's invoices stay: they are the clinic's income records.
void PatientFileScreen::deleteFile() {
    if (!patients_->hasCurrent())
        return;
    reported(
        [this] {
            patients_->deleteCurrent();
            patients_->refresh();
        },
        FailureWording::NumberArrowDescription);
}

void PatientFileScreen::print() {
    reported([this] { printPatientSheet(settings_, form_.boxes.fileNumber->text()); },
             FailureWording::NumberArrowDescription);
}

void PatientFileScreen::listInvoices() {
    // A refused invoice row keeps the user on it with what was typed.
    if (!invoices_->model()->writeEditedRow()) {
        const QSignalBlocker stay(form_.tabs);
        form_.tabs->setCurrentWidget(form_.invoices->parentWidget());
        return;
    }
    reported(
        [this] {
            invoices_->setRecordSource(SavedInvoices::kTable);
            invoices_->setFilter(SavedInvoices::kFileNumber, form_.boxes.fileNumber->text());
            invoices_->refresh();
        },
        FailureWording::NumberArrowDescription);
}

// The statement of the file shown, once an invoice edited in the grid has been written.
void PatientFileScreen::showStatement() {
    if (!invoices_->model()->writeEditedRow())
        return;
    reported([this] { previewStatement(settings_, form_.boxes.fileNumber->text(), this); },
             FailureWording::NumberArrowDescription);
}

void PatientFileScreen::countByNationality() {
    reported([this] { previewNationalityCount(settings_, this); },
             FailureWording::NumberArrowDescription);
}
