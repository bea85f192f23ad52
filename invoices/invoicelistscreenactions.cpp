// What the invoice list does when it is opened, and for each button, box, grid and menu.
#include "invoices/invoicelistscreen.h"

#include "binding/datasource.h"
#include "binding/maskededit.h"
#include "binding/refreshform.h"
#include "core/dialogs.h"
#include "core/failures.h"
#include "core/programdir.h"
#include "db/clinic/invoicework.h"
#include "db/clinic/paymentreports.h"
#include "db/clinic/payments.h"
#include "db/clinic/savedinvoices.h"
#include "db/engine/recordsources.h"
#include "invoices/datetexts.h"
#include "invoices/invoicereport.h"
#include "invoices/navigationbar.h"
#include "screens/amounttext.h"
#include "screens/paymentchanges.h"
#include "settings/appsettings.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <QTableView>
#include <utility>

namespace {

constexpr auto kNotNumeric =
    QT_TRANSLATE_NOOP("InvoiceListScreen", "Numeric fields must be NUMERIC!");

// The invoice number as typed, as the database compares it with po_num.
QVariant invoiceNumber(const QString& text) {
    return numberValue(text).value_or(QVariant(text.trimmed()));
}

} // namespace

void InvoiceListScreen::activate() {
    {
        const QScopedValueRollback following(following_, true);
        RefreshForm(this, settings_.databaseLocation());
    }
    followListedInvoice();
    highlightShownInvoice();
    // The list is the pending invoices again: a caption naming all of them would mislead.
    if (listBar_->caption() == tr("All Invoices"))
        listBar_->setCaption(tr("Pending Invoices"));
}

// The detail panel's invoice and file numbers are shown, never written back. A box that already
// holds its number (the one the user typed to find the invoice) is left as it is: setting a box's
// text again costs as much as filling it.
void InvoiceListScreen::showInvoiceKeys() {
    const bool shown = invoices_->hasCurrent() && !invoices_->isAddingNew();
    for (auto [box, field] : {std::pair{numberBox_, SavedInvoices::kNumber},
                              std::pair{fileBox_, SavedInvoices::kFileNumber}}) {
        const QString text = shown ? invoices_->field(field).toString() : QString();
        if (box->text() != text)
            box->setText(text);
    }
}

void InvoiceListScreen::followListedInvoice() {
    if (following_ || !list_->hasCurrent())
        return;
    const QVariant number = list_->field(SavedInvoices::kNumber);
    if (invoices_->hasCurrent() && invoices_->field(SavedInvoices::kNumber) == number)
        return;
    const QScopedValueRollback following(following_, true);
    reported([&] { invoices_->refreshAndFind(SavedInvoices::kNumber, number); });
}

void InvoiceListScreen::highlightShownInvoice() {
    if (following_)
        return;
    const QScopedValueRollback following(following_, true);
    reported([&] {
        const bool shown = invoices_->hasCurrent() && !invoices_->isAddingNew();
        const QVariant number = shown ? invoices_->field(SavedInvoices::kNumber) : QVariant();
        // While the screens are read again from another database the list may not be open yet;
        // it highlights the invoice once it is.
        const bool listed =
            shown && list_->isOpen() &&
            ((list_->hasCurrent() && list_->field(SavedInvoices::kNumber) == number) ||
             list_->findFirst(SavedInvoices::kNumber, number));
        const int row = listed ? list_->fetchCurrentRow() : -1;
        if (row < 0) {
            listGrid_->clearSelection();
            listGrid_->setCurrentIndex(QModelIndex());
        } else if (row != listGrid_->currentIndex().row() ||
                   !listGrid_->selectionModel()->hasSelection()) {
            listGrid_->setCurrentIndex(listGrid_->model()->index(row, 0));
        }
    });
}

void InvoiceListScreen::rereadList() {
    {
        const QScopedValueRollback following(following_, true);
        reported([&] { list_->refresh(); });
    }
    highlightShownInvoice();
}

void InvoiceListScreen::showList(const QString& caption, const QString& query) {
    listBar_->setCaption(caption);
    reported([&] {
        list_->setRecordSource(query);
        list_->refresh();
    });
}

void InvoiceListScreen::chooseRow(const QModelIndex& index) {
    if (!index.isValid())
        return;
    numberBox_->setText(list_->model()->value(index.row(), SavedInvoices::kNumber).toString());
    if (isNumeric(numberBox_->text()))
        FindInvoice(numberBox_->text());
}

void InvoiceListScreen::toggleLines(const QModelIndex& index) {
    if (!index.isValid())
        return;
    reported([&] {
        lines_->setRecordSource(kInvoiceLinesQuery);
        lines_->setRecordSourceValues({list_->model()->value(index.row(), SavedInvoices::kNumber)});
        lines_->refresh();
        if (!lines_->hasCurrent()) {
            linesArea_->hide();
            showMessage(tr("There is no more information to display about this invoice's details"));
            return;
        }
        linesArea_->setVisible(linesArea_->isHidden());
    });
}

void InvoiceListScreen::FindInvoice(const QString& number) {
    QString wanted = number;
    if (wanted.isEmpty()) {
        wanted = dialogs().inputBox(tr("Code Number :"), QString());
        if (wanted.isEmpty()) {
            close();
            return;
        }
    }
    bool found = false;
    const bool searched = reported(
        [&] { found = invoices_->refreshAndFind(SavedInvoices::kNumber, invoiceNumber(wanted)); });
    if (searched && !found) {
        showNotice(tr("not found"));
        close();
    }
}

void InvoiceListScreen::openInvoice() {
    QString number = numberBox_->text();
    if (!isNumeric(number))
        number = dialogs().inputBox(tr("Invice No :"), QString());
    if (number.isEmpty())
        return;
    reported([&] {
        if (!invoices_->findFirst(SavedInvoices::kNumber, invoiceNumber(number)))
            showNotice(tr("not found"));
    });
}

bool InvoiceListScreen::correctionIsValid() {
    QWidget* wrong = nullptr;
    QString message = tr(kNotNumeric);
    if (!isInvoiceDate(dateBox_->value())) {
        wrong = dateBox_;
        message = invoiceDateRefusal(dateBox_->text());
    } else if (!isNumeric(amountBox_->text())) {
        wrong = amountBox_;
    } else if (!isNumeric(netDueBox_->text())) {
        wrong = netDueBox_;
    } else if (leadingNumber(netDueBox_->text()) > leadingNumber(amountBox_->text())) {
        wrong = netDueBox_;
        message = tr("Net Due cannot be more than the total amount!!");
    }
    if (!wrong) {
        if (netDueAccepted(qint64(leadingNumber(amountBox_->text())),
                           qint64(leadingNumber(netDueBox_->text()))))
            return true;
        netDueBox_->setFocus();
        return false;
    }
    showMessage(message);
    wrong->setFocus();
    return false;
}

// The list is read again, so that it shows what was stored. What the correction changes in the
// amount paid (amount less net due) is a payment received today, or paid back when the net due goes
// up; it is written in the same transaction as the invoice, of the kind the user names. No kind
// named: nothing is stored.
void InvoiceListScreen::saveInvoice() {
    if (!correctionIsValid())
        return;
    reported([&] {
        const std::optional<qint64> change = paidChange(invoices_->field(SavedInvoices::kAmount),
                                                        invoices_->field(SavedInvoices::kNetDue),
                                                        amountBox_->text(), netDueBox_->text());
        if (!change) {
            // A fraction of money: the database refuses it, in its own words.
            invoices_->store();
            return;
        }
        const qint64 received = *change;
        QString kind;
        if (received != 0) {
            const std::optional<QString> chosen =
                askPaymentKind(received, paymentKinds(settings_.paymentkinds));
            if (!chosen)
                return;
            kind = *chosen;
        }
        const Payment payment{invoices_->field(SavedInvoices::kNumber),
                              invoices_->field(SavedInvoices::kFileNumber).toString(), today(),
                              received, kind};
        const QString date = dateBox_->value();
        invoices_->setField(SavedInvoices::kMonth, invoiceMonth(date));
        invoices_->setField(SavedInvoices::kYear, invoiceYear(date));
        correctPayment(settings_.databaseLocation(), payment, [&] { invoices_->store(); });
        rereadList();
    });
}

// Each step after the confirmation runs even when the one before it failed; the list is read
// again so that it offers no invoice that is gone, and the panel shows its highlighted row.
void InvoiceListScreen::deleteInvoice() {
    if (!invoices_->hasCurrent() || !deleteIsConfirmed())
        return;
    reported([&] {
        const QVariant number = invoices_->field(SavedInvoices::kNumber);
        removeInvoice(settings_.databaseLocation(), number, today());
    });
    reported([&] { invoices_->refresh(); });
    reported([&] { lines_->refresh(); });
    reported([&] { list_->refresh(); });
}

bool InvoiceListScreen::deleteIsConfirmed() {
    std::optional<bool> confirmed;
    reported([&] {
        const QVariant number = invoices_->field(SavedInvoices::kNumber);
        const QString file = invoices_->field(SavedInvoices::kFileNumber).toString();
        const QString path = settings_.databaseLocation();
        const qint64 taken = paymentsTotal(path, number);
        QString question = tr("Delete invoice %1 of %2 (patient %3), amount %4?")
                               .arg(number.toString(), patientName(path, file), file,
                                    invoices_->field(SavedInvoices::kAmount).toString());
        if (taken != 0)
            question += "\n" + tr("The %1 it took is booked as paid back today.").arg(taken);
        confirmed = dialogs().message(question, Dialogs::Buttons::YesNo, Dialogs::Icon::Question) ==
                    Dialogs::Answer::Yes;
    });
    return confirmed.value_or(false);
}

void InvoiceListScreen::printInvoice(bool preview) {
    const QString number = numberBox_->text().trimmed();
    reported(
        [&] {
            if (preview)
                PreviewInvoice(settings_, number, this);
            else
                PrintInvoice(settings_, number);
        },
        FailureWording::DescriptionNumber);
}
