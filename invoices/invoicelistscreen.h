#pragma once

#include "screens/workingscreen.h"

#include <QMainWindow>

struct AppSettingsRecord;
class DataSource;
class MaskedEdit;
class NavigationBar;
class QLineEdit;
class QModelIndex;
class QTableView;

// "Invoice Replacment": the saved invoices, pending or all, with the patient's name; one invoice
// in a detail panel where its amount, net due and date are corrected; its lines on request; and
// its printout. The invoice number box is a search key, never written into an invoice.
class InvoiceListScreen : public WorkingScreen<QMainWindow> {
    Q_OBJECT
  public:
    explicit InvoiceListScreen(const AppSettingsRecord& settings, QWidget* parent = nullptr);

    // Shows the invoice with this number in the detail panel, asking for a number when none is
    // given. No answer, or a number that no invoice has, closes the screen.
    void FindInvoice(const QString& number);

  private:
    QWidget* makeListArea();
    QWidget* makeLinesArea();
    QWidget* makeDetailPanel();
    QWidget* makeButtons();
    void makeMenus();

    void activate() override;
    void showList(const QString& caption, const QString& query);
    void chooseRow(const QModelIndex& index);
    void toggleLines(const QModelIndex& index);
    void openInvoice();
    void saveInvoice();
    // Refuses a date or amounts that cannot be stored, with the focus in the box at fault.
    bool correctionIsValid();
    void deleteInvoice();
    // Asks before the invoice in the panel is deleted, naming it and what it took.
    bool deleteIsConfirmed();
    // The highlighted row and the panel show one invoice: a row the user moves to opens in the
    // panel, and an invoice the panel opens otherwise is highlighted, or nothing is when the
    // list does not hold it.
    void followListedInvoice();
    void highlightShownInvoice();
    // Reads the list again, after a change of what it shows, keeping the panel's invoice.
    void rereadList();
    void printInvoice(bool preview);
    void showInvoiceKeys();

    const AppSettingsRecord& settings_;
    DataSource* invoices_;
    DataSource* list_;
    DataSource* lines_;
    NavigationBar* listBar_ = nullptr;
    QTableView* listGrid_ = nullptr;
    // Set while one of the two follows the other, so that neither answers the move it caused.
    bool following_ = false;
    QWidget* linesArea_ = nullptr;
    QLineEdit* numberBox_ = nullptr;
    MaskedEdit* dateBox_ = nullptr;
    QLineEdit* amountBox_ = nullptr;
    QLineEdit* netDueBox_ = nullptr;
    QLineEdit* fileBox_ = nullptr;
};
