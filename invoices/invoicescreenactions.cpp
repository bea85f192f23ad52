// What the invoice screen does when it is opened, and for each button, box and menu.
#include "invoices/invoicescreen.h"

#include "binding/datasource.h"
#include "binding/maskededit.h"
#include "binding/refreshform.h"
#include "core/dialogs.h"
#include "core/failures.h"
#include "core/programdir.h"
#include "db/clinic/catalogitems.h"
#include "db/clinic/invoicelines.h"
#include "db/clinic/invoicework.h"
#include "db/clinic/scratchheader.h"
#include "invoices/datetexts.h"
#include "invoices/invoicereport.h"
#include "screens/amounttext.h"
#include "screens/paymentchanges.h"
#include "screens/screens.h"
#include "settings/appsettings.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

bool InvoiceScreen::readyToClose() {
    if (activated_ && !scratchCleared_ && !reported([&] { clearScratch(); }))
        return false;
    scratchCleared_ = true;
    return true;
}

// Each step runs even when the one before it failed.
void InvoiceScreen::activate() {
    if (!activated_) {
        activated_ = true;
        reported([&] { session_ = startInvoiceWork(settings_.databaseLocation()); },
                 FailureWording::NumberArrowDescription);
    }
    reported(
        [&] {
            RefreshForm(this, settings_.databaseLocation());
            headerId_ = header_->hasCurrent() ? header_->field(ScratchHeader::kId) : QVariant();
        },
        FailureWording::NumberArrowDescription);
    showToday();
    descriptionBox_->clear();
    amountBox_->clear();
}

void InvoiceScreen::showToday() {
    const QString date = today().toString("dd/MM/yyyy");
    if (date.size() > dateBox_->maxLength()) {
        showMessage(tr("Please enter the date"));
        dateBox_->setFocus();
        return;
    }
    dateBox_->setText(date);
}

void InvoiceScreen::lookUpCode() {
    const QString code = codeBox_->maskedText();
    if (code.trimmed().isEmpty())
        return;
    reported([&] {
        // The catalog opens here too if the screen could not open it when it was shown.
        if (!catalog_->isOpen())
            catalog_->refresh();
        if (!catalog_->findFirst(CatalogItems::kCode, code)) {
            showNotice(tr("not found"));
            descriptionBox_->clear();
            amountBox_->clear();
            addLineButton_->setEnabled(false);
            return;
        }
        addLineButton_->setEnabled(true);
        descriptionBox_->setText(catalog_->field(CatalogItems::kDescription).toString());
        amountBox_->setText(catalog_->field(CatalogItems::kAmount).toString());
    });
}

void InvoiceScreen::addLine() {
    lineRefusal_.clear();
    reported([&] {
        try {
            appendLine();
        } catch (const AppError& error) {
            lineRefusal_ = error.description();
            throw;
        }
        if (!tellScratchLost())
            totalBox_->setText(
                amountText(leadingNumber(totalBox_->text()) + leadingNumber(amountBox_->text())));
        // By default the invoice is paid in full.
        paymentsBox_->setText(totalBox_->text());
        addLineButton_->setEnabled(false);
        descriptionBox_->clear();
        amountBox_->clear();
        codeBox_->clear();
    });
}

void InvoiceScreen::appendLine() {
    lines_->addNew();
    try {
        lines_->setField(InvoiceLines::kCode, codeBox_->maskedText());
        lines_->setField(InvoiceLines::kDescription, catalog_->field(CatalogItems::kDescription));
        lines_->setField(InvoiceLines::kAmount, amountBox_->text());
        lines_->setField(InvoiceLines::kFileNumber, fileBox_->text());
        lines_->store();
    } catch (...) {
        lines_->cancel();
        throw;
    }
}

void InvoiceScreen::removeLine(bool paymentsFollowTotal) {
    if (!lines_->hasCurrent())
        return;
    reported([&] {
        const double amount = leadingNumber(lines_->field(InvoiceLines::kAmount).toString());
        try {
            lines_->deleteCurrent();
        } catch (const AppError&) {
            if (tellScratchLost())
                return;
            throw;
        }
        lines_->moveNext();
        const double total = leadingNumber(totalBox_->text());
        // A line worth more than the total leaves the total as it is.
        if (amount <= total)
            totalBox_->setText(amountText(total - amount));
        if (paymentsFollowTotal)
            paymentsBox_->setText(totalBox_->text());
    });
}

void InvoiceScreen::computeNetDue() {
    netDueBox_->setText(
        amountText(leadingNumber(totalBox_->text()) - leadingNumber(paymentsBox_->text())));
}

void InvoiceScreen::saveInvoice() {
    reported([&] {
        // A current line says there are lines without asking the server.
        const bool anyLines = lines_->hasCurrent() || lines_->recordCount() > 0;
        if (tellScratchLost())
            return;
        if (!anyLines) {
            showMessage(lineRefusal_.isEmpty() ? tr("You have NOT entered anything!")
                                               : lineRefusal_);
            return;
        }
        if (!readyToStore())
            return;
        const InvoiceDraft invoice = draft();
        if (const std::optional<int> number = storeInvoice(false))
            showSaved(invoice, *number);
    });
}

void InvoiceScreen::saveAndStartNext() {
    reported([&] {
        if (!readyToStore() || !storeInvoice(true))
            return;
        scratchCleared_ = true;
        close();
        Screens::enableMainWindow(false);
        if (QWidget* openFileDialog = Screens::get(Screen::OpenFile))
            openFileDialog->show();
    });
}

bool InvoiceScreen::readyToStore() {
    if (!isInvoiceDate(dateBox_->text())) {
        showMessage(invoiceDateRefusal(dateBox_->text()));
        dateBox_->setFocus();
        return false;
    }
    const qint64 total = qint64(leadingNumber(totalBox_->text()));
    if (!netDueAccepted(total, total - qint64(leadingNumber(paymentsBox_->text())))) {
        paymentsBox_->setFocus();
        return false;
    }
    return true;
}

std::optional<int> InvoiceScreen::storeInvoice(bool clearScratch) {
    // Lines lost with the server's session are never saved as an invoice without them.
    const std::optional<int> number =
        saveNewInvoice(settings_.databaseLocation(), newInvoiceOf(draft()), session_, clearScratch);
    if (!number)
        tellScratchLost();
    return number;
}

bool InvoiceScreen::tellScratchLost() {
    const std::optional<RestartedScratch> restarted =
        restartLostScratch(settings_.databaseLocation(), session_, fileBox_->text(),
                           nameBox_->text(), addressBox_->text());
    if (!restarted)
        return false;
    headerId_ = restarted->headerId;
    session_ = restarted->session;
    const QString date = dateBox_->text();
    header_->refresh();
    lines_->refresh();
    dateBox_->setText(date);
    totalBox_->setText(amountText(restarted->total));
    paymentsBox_->setText(totalBox_->text());
    showMessage(tr("The connection to the database server was lost and has been made again, but "
                   "the lines of this invoice entered before were lost with it: the invoice now "
                   "holds only the lines shown. Please enter the others again."));
    return true;
}

void InvoiceScreen::showSaved(const InvoiceDraft& invoice, int number) {
    invoiceNoBox_->setText(QString::number(number));
    netDueBox_->setText(invoice.netDue());
    for (QFrame* panel : composingPanels_)
        panel->setEnabled(false);
    okButton_->hide();
    cancelButton_->hide();
    printButton_->show();
    quitButton_->show();
    // Saving once more would file the same invoice twice.
    saveAction_->setEnabled(false);
}

// Every step runs even when the one before it failed. Once no scratch header is left the
// screen has nothing more to cancel and leaves.
void InvoiceScreen::abandonInvoice() {
    if (reported([&] { clearScratch(); }, FailureWording::NumberArrowDescription))
        scratchCleared_ = true;
    reported(
        [&] {
            header_->refresh();
            lines_->refresh();
        },
        FailureWording::NumberArrowDescription);
    if (!header_->hasCurrent())
        close();
}

void InvoiceScreen::printInvoice() {
    reported([&] { PrintInvoice(settings_, invoiceNoBox_->text().trimmed()); });
}

void InvoiceScreen::clearScratch() {
    discardScratch(settings_.databaseLocation(), headerId_);
}

InvoiceDraft InvoiceScreen::draft() const {
    return {headerId_,
            fileBox_->text(),
            dateBox_->text(),
            totalBox_->text(),
            paymentsBox_->text(),
            paymentKind(),
            paidInBox_->currentData().toString()};
}

PaymentKind InvoiceScreen::paymentKind() const {
    if (creditOption_->isChecked())
        return PaymentKind::Credit;
    if (partialOption_->isChecked())
        return PaymentKind::Partial;
    return PaymentKind::Cash;
}
