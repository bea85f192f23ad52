#include "invoices/invoicescreen.h"

#include "binding/datagrid.h"
#include "binding/datasource.h"
#include "binding/keyfilter.h"
#include "binding/maskededit.h"
#include "db/clinic/catalogitems.h"
#include "db/clinic/invoicelines.h"
#include "db/clinic/payments.h"
#include "db/clinic/savedinvoices.h"
#include "db/clinic/scratchheader.h"
#include "invoices/screenparts.h"
#include "invoices/widgetevents.h"
#include "screens/amounttext.h"
#include "screens/paymentchanges.h"
#include "screens/widgets.h"

#include "settings/appsettings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

using screenparts::addLabelled;
using screenparts::panel;

namespace {

QLineEdit* shownBox(QWidget* parent, const QString& name) {
    QLineEdit* box = makeTextBox(parent, name);
    box->setEnabled(false);
    return box;
}

} // namespace

InvoiceScreen::InvoiceScreen(const AppSettingsRecord& settings, QWidget* parent)
    : WorkingScreen(parent), settings_(settings),
      header_(new DataSource(this, "Data1", ScratchHeader::kTable)),
      catalog_(new DataSource(this, "Data2", CatalogItems::kTable)),
      lines_(new DataSource(this, "Data3", InvoiceLines::kScratchTable)) {
    new DataSource(this, "Data4", SavedInvoices::kTable);
    new DataSource(this, "Data5", InvoiceLines::kSavedTable);
    setWindowTitle(tr("Invoices"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(makeHeaderPanel());
    layout->addWidget(makeLineEntryPanel());
    layout->addWidget(makeLinesPanel(), 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(makeTotalsPanel());
    bottom->addWidget(makePaymentKindPanel());
    bottom->addWidget(makeButtonsPanel());
    layout->addLayout(bottom);
    setCentralWidget(central);
    makeMenu();
    bindBoxes();
    resize(640, 600);
}

QWidget* InvoiceScreen::makeHeaderPanel() {
    QFrame* header = panel(this, "SSPanel1");
    QFrame* patient = panel(header, "SSPanel2");
    QFrame* dated = panel(header, "SSPanel3");
    auto* patientForm = new QFormLayout(patient);
    fileBox_ = shownBox(patient, "Text1");
    nameBox_ = shownBox(patient, "Text2");
    addressBox_ = shownBox(patient, "Text3");
    addLabelled(patientForm, tr("File Number "), fileBox_);
    addLabelled(patientForm, tr("Name    :"), nameBox_);
    addLabelled(patientForm, tr("Address :"), addressBox_);
    auto* dateForm = new QFormLayout(dated);
    dateBox_ = makeTextBox(dated, "mask1", QString(), 10);
    addLabelled(dateForm, tr("Date :"), dateBox_);
    auto* row = new QHBoxLayout(header);
    row->addWidget(patient, 2);
    row->addWidget(dated, 1, Qt::AlignTop);
    composingPanels_ << header;
    return header;
}

QWidget* InvoiceScreen::makeLineEntryPanel() {
    QFrame* entry = panel(this, "SSPanel4");
    auto* grid = new QGridLayout(entry);
    codeBox_ = new MaskedEdit(entry);
    codeBox_->setObjectName("text4");
    codeBox_->setMask("##");
    codeBox_->setPromptChar(' ');
    codeBox_->setMaximumWidth(codeBox_->fontMetrics().horizontalAdvance("0000") + 16);
    descriptionBox_ = shownBox(entry, "Text5");
    amountBox_ = makeTextBox(entry, "Text6", QString(), 4);
    amountBox_->setMaximumWidth(amountBox_->fontMetrics().horizontalAdvance("000000") + 16);
    installDigitFilter(amountBox_);
    screenparts::addUnderLabel(grid, 0, tr("Code"), codeBox_);
    screenparts::addUnderLabel(grid, 1, tr("Description"), descriptionBox_);
    screenparts::addUnderLabel(grid, 2, tr("Amount SR"), amountBox_);
    addLineButton_ = makeButton(entry, "SSCommand1", tr("O&K"));
    // Nothing can be added before a code was found in the catalog.
    addLineButton_->setEnabled(false);
    grid->addWidget(addLineButton_, 1, 3);
    grid->setColumnStretch(1, 1);
    onFocusLeaves(codeBox_, [this] { lookUpCode(); });
    connect(addLineButton_, &QPushButton::clicked, this, &InvoiceScreen::addLine);
    composingPanels_ << entry;
    return entry;
}

QWidget* InvoiceScreen::makeLinesPanel() {
    QFrame* linesPanel = panel(this, "SSPanel5");
    grid_ = makeDataGrid(linesPanel, "DBGrid1", tr("Invoice lines"), lines_,
                         {{InvoiceLines::kCode, tr("Code")},
                          {InvoiceLines::kDescription, tr("Description")},
                          {InvoiceLines::kAmount, tr("Amount SR")}});
    followCurrentRecord(grid_, lines_);
    (new QVBoxLayout(linesPanel))->addWidget(grid_);
    connect(grid_, &QTableView::doubleClicked, this, [this] { removeLine(true); });
    onKeyPress(grid_, [this](QKeyEvent* key) {
        if (key->text() != "8")
            return false;
        removeLine(false);
        return true;
    });
    composingPanels_ << linesPanel;
    return linesPanel;
}

QWidget* InvoiceScreen::makeTotalsPanel() {
    QFrame* totals = panel(this, "SSPanel6");
    auto* form = new QFormLayout(totals);
    invoiceNoBox_ = shownBox(totals, "Text7");
    totalBox_ = shownBox(totals, "Text8");
    paymentsBox_ = new MaskedEdit(totals);
    paymentsBox_->setObjectName("text9");
    paymentsBox_->setPromptChar('_');
    // Four digits are typed at most; the paid-in-full default may be the whole five-digit total,
    // which a length limit would cut short.
    installDigitFilter(paymentsBox_, 4);
    netDueBox_ = shownBox(totals, "Text10");
    paidInBox_ = new QComboBox(totals);
    paidInBox_->setObjectName("cboPaidIn");
    for (const QString& kind : paymentKinds(settings_.paymentkinds))
        paidInBox_->addItem(shownPaymentKind(kind), kind);
    paidInBox_->setEnabled(false);
    addLabelled(form, tr("Invoice NO"), invoiceNoBox_);
    addLabelled(form, tr("Total SR"), totalBox_);
    addLabelled(form, tr("Payments"), paymentsBox_);
    addLabelled(form, tr("Paid in :"), paidInBox_);
    addLabelled(form, tr("Net Due"), netDueBox_);
    onFocusLeaves(paymentsBox_, [this] { computeNetDue(); });
    connect(paymentsBox_, &QLineEdit::textChanged, this,
            [this](const QString& paid) { paidInBox_->setEnabled(leadingNumber(paid) != 0); });
    composingPanels_ << totals;
    return totals;
}

QWidget* InvoiceScreen::makePaymentKindPanel() {
    QFrame* kinds = panel(this, "SSPanel8");
    kinds->setAccessibleName(tr("Payment kind"));
    auto* column = new QVBoxLayout(kinds);
    cashOption_ = screenparts::option(kinds, "Option1", tr("Cas&h"));
    creditOption_ = screenparts::option(kinds, "Option2", tr("C&redit"));
    partialOption_ = screenparts::option(kinds, "Option3", tr("&Partial"));
    cashOption_->setChecked(true);
    for (QRadioButton* option : {cashOption_, creditOption_, partialOption_})
        column->addWidget(option);
    column->addStretch();
    composingPanels_ << kinds;
    return kinds;
}

// "OK" and "Print" share one place, "CANCEL" and "Quit" another: one of each pair is shown.
QWidget* InvoiceScreen::makeButtonsPanel() {
    QFrame* buttons = panel(this, "SSPanel7");
    auto* column = new QVBoxLayout(buttons);
    okButton_ = makeButton(buttons, "SSCommand2_OK", tr("&OK"));
    printButton_ = makeButton(buttons, "SSCommand4_Print", tr("Pri&nt"));
    cancelButton_ = makeButton(buttons, "SSCommand3_Cancel", tr("&CANCEL"));
    quitButton_ = makeButton(buttons, "SSCommand5_Quit", tr("&Quit"));
    for (QPushButton* button : {okButton_, printButton_, cancelButton_, quitButton_})
        column->addWidget(button);
    column->addStretch();
    printButton_->hide();
    quitButton_->hide();
    connect(okButton_, &QPushButton::clicked, this, &InvoiceScreen::saveInvoice);
    connect(cancelButton_, &QPushButton::clicked, this, &InvoiceScreen::abandonInvoice);
    connect(printButton_, &QPushButton::clicked, this, &InvoiceScreen::printInvoice);
    connect(quitButton_, &QPushButton::clicked, this, &QWidget::close);
    return buttons;
}

void InvoiceScreen::makeMenu() {
    saveAction_ = menuBar()->addAction(tr("&Save"));
    saveAction_->setObjectName("mnuSave");
    connect(saveAction_, &QAction::triggered, this, &InvoiceScreen::saveAndStartNext);
}

void InvoiceScreen::bindBoxes() {
    header_->bind(fileBox_, ScratchHeader::kFileNumber);
    header_->bind(nameBox_, ScratchHeader::kName);
    header_->bind(addressBox_, ScratchHeader::kAddress);
    header_->bind(dateBox_, ScratchHeader::kDate);
    header_->bind(invoiceNoBox_, ScratchHeader::kInvoiceNumber);
    header_->bind(totalBox_, ScratchHeader::kTotal);
    header_->bind(paymentsBox_, ScratchHeader::kPayments);
    header_->bind(netDueBox_, ScratchHeader::kNetDue);
}
