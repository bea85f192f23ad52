#pragma once

#include "invoices/invoicewriter.h"

#include "screens/workingscreen.h"

#include <QMainWindow>
#include <QVariant>
#include <optional>

struct AppSettingsRecord;
class DataSource;
class MaskedEdit;
class QAction;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

// "Invoices": one invoice for one patient file, composed from catalog procedures. Its lines live
// in the scratch table po_desc and its header in the scratch record that the open-file dialog
// stored, until "OK" or the "Save" menu writes the real invoice. Every way out of the screen
// empties the scratch tables again.
class InvoiceScreen : public WorkingScreen<QMainWindow> {
    Q_OBJECT
  public:
    explicit InvoiceScreen(const AppSettingsRecord& settings, QWidget* parent = nullptr);

  protected:
    bool readyToClose() override;

  private:
    QWidget* makeHeaderPanel();
    QWidget* makeLineEntryPanel();
    QWidget* makeLinesPanel();
    QWidget* makeTotalsPanel();
    QWidget* makePaymentKindPanel();
    QWidget* makeButtonsPanel();
    void makeMenu();
    void bindBoxes();

    // The handlers.
    void activate() override;
    void showToday();
    void lookUpCode();
    void addLine();
    void appendLine();
    void removeLine(bool paymentsFollowTotal);
    void computeNetDue();
    void saveInvoice();
    void saveAndStartNext();
    void abandonInvoice();
    void printInvoice();

    // Refuses what must not be stored, with the focus where the user mends it.
    bool readyToStore();
    // Writes the invoice in one transaction, with the scratch tables emptied in the same one
    // where asked; the invoice number, none when the lines were lost with the server's session.
    std::optional<int> storeInvoice(bool clearScratch);
    // Once a lost server session took the scratch tables with it: the header stored again from
    // the boxes, the totals those of the lines still stored, and the user told; false otherwise.
    bool tellScratchLost();
    void clearScratch();
    InvoiceDraft draft() const;
    PaymentKind paymentKind() const;
    void showSaved(const InvoiceDraft& invoice, int number);

    // The five data sources; the saved headers and lines (Data4, Data5) are written by
    // storeInvoice() in one transaction, so the screen only keeps them bound.
    const AppSettingsRecord& settings_;
    DataSource* header_;
    DataSource* catalog_;
    DataSource* lines_;

    QList<QFrame*> composingPanels_;
    QLineEdit* fileBox_ = nullptr;
    QLineEdit* nameBox_ = nullptr;
    QLineEdit* addressBox_ = nullptr;
    QLineEdit* dateBox_ = nullptr;
    MaskedEdit* codeBox_ = nullptr;
    QLineEdit* descriptionBox_ = nullptr;
    QLineEdit* amountBox_ = nullptr;
    QPushButton* addLineButton_ = nullptr;
    QTableView* grid_ = nullptr;
    QLineEdit* invoiceNoBox_ = nullptr;
    QLineEdit* totalBox_ = nullptr;
    MaskedEdit* paymentsBox_ = nullptr;
    // How the payment came in; asked only while something is paid.
    QComboBox* paidInBox_ = nullptr;
    QLineEdit* netDueBox_ = nullptr;
    QRadioButton* cashOption_ = nullptr;
    QRadioButton* creditOption_ = nullptr;
    QRadioButton* partialOption_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* printButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
    QAction* saveAction_ = nullptr;

    // The scratch header record this invoice is composed on; null when there is none.
    QVariant headerId_;
    // The server session the scratch tables belong to.
    int session_ = 0;
    bool activated_ = false;
    bool scratchCleared_ = false;
    // Why the database refused the last line added, until a line is stored: saving without lines
    // then tells that, not that nothing was entered.
    QString lineRefusal_;
};
