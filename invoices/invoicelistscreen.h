#pragma once

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
class InvoiceListScreen : public QMainWindow {
    Q_OBJECT
  public:
    explicit InvoiceListScreen(const AppSettingsRecord& settings, QWidget* parent = nullptr);

    // Shows the invoice with this number in the detail panel, asking for a number when none is
    // given. No answer, or a number that no invoice has, closes the screen.
    void FindInvoice(const QString& number);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QWidget* makeListArea();
    QWidget* makeLinesArea();
    QWidget* makeDetailPanel();
    QWidget* makeButtons();
    void makeMenus();

    void activate();
    void showList(const QString& caption, const QString& query);
    void chooseRow(const QModelIndex& index);
    void toggleLines(const QModelIndex& index);
    void openInvoice();
    void saveInvoice();
    // Refuses a date or amounts that cannot be stored, with the focus in the box at fault.
    bool correctionIsValid();
    void deleteInvoice();
    void printInvoice(bool preview);
    void showInvoiceKeys();

    const AppSettingsRecord& settings_;
    DataSource* invoices_;
    DataSource* list_;
    DataSource* lines_;
    NavigationBar* listBar_ = nullptr;
    QWidget* linesArea_ = nullptr;
    QLineEdit* numberBox_ = nullptr;
    MaskedEdit* dateBox_ = nullptr;
    QLineEdit* amountBox_ = nullptr;
    QLineEdit* netDueBox_ = nullptr;
    QLineEdit* fileBox_ = nullptr;
};
