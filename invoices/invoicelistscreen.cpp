#include "invoices/invoicelistscreen.h"

#include "binding/datagrid.h"
#include "binding/datasource.h"
#include "binding/keyfilter.h"
#include "binding/maskededit.h"
#include "db/clinic/invoicelines.h"
#include "db/clinic/patientfiles.h"
#include "db/clinic/savedinvoices.h"
#include "db/engine/recordsources.h"
#include "invoices/navigationbar.h"
#include "invoices/screenparts.h"
#include "invoices/widgetevents.h"
#include "screens/amounttext.h"
#include "screens/widgets.h"

#include "settings/appsettings.h"

#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using screenparts::addLabelled;

InvoiceListScreen::InvoiceListScreen(const AppSettingsRecord& settings, QWidget* parent)
    : WorkingScreen(parent), settings_(settings),
      invoices_(new DataSource(this, "Data1", SavedInvoices::kTable)),
      list_(new DataSource(this, "Data2", kPendingInvoicesQuery)),
      // The lines source is pointed at one invoice's lines by the screen itself.
      lines_(new DataSource(this, "Data3", InvoiceLines::kScratchTable,
                            DataSource::Rebinding::AtStartOnly)) {
    setWindowTitle(tr("Invoice Replacment"));
    setAccessibleName(windowTitle());
    setAttribute(Qt::WA_DeleteOnClose);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(makeListArea(), 3);
    layout->addWidget(makeLinesArea(), 2);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(makeDetailPanel(), 1);
    bottom->addWidget(makeButtons());
    layout->addLayout(bottom);
    setCentralWidget(central);
    makeMenus();
    invoices_->bind(dateBox_, SavedInvoices::kDate);
    invoices_->bind(amountBox_, SavedInvoices::kAmount);
    invoices_->bind(netDueBox_, SavedInvoices::kNetDue);
    connect(invoices_, &DataSource::currentChanged, this, &InvoiceListScreen::showInvoiceKeys);
    connect(invoices_, &DataSource::currentChanged, this,
            &InvoiceListScreen::highlightShownInvoice);
    resize(760, 620);
}

QWidget* InvoiceListScreen::makeListArea() {
    auto* area = new QWidget(this);
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    listBar_ = new NavigationBar(area, "Data2Bar", list_);
    listBar_->setCaption(tr("Invoices"));
    listGrid_ = makeDataGrid(area, "DBGrid1", tr("Invoices"), list_,
                             {{PatientFiles::kFileNumber, tr("Patient No")},
                              {PatientFiles::kName, tr("Patient Name")},
                              {SavedInvoices::kNumber, tr("Invoice No")},
                              {SavedInvoices::kDate, tr("Date")},
                              {SavedInvoices::kAmount, tr("Amount")},
                              {SavedInvoices::kNetDue, tr("Net Due")}});
    list_->model()->setCurrencyColumns({SavedInvoices::kAmount});
    followCurrentRecord(listGrid_, list_);
    connect(list_, &DataSource::currentChanged, this, &InvoiceListScreen::followListedInvoice);
    connect(listGrid_, &QTableView::clicked, this, &InvoiceListScreen::chooseRow);
    onKeyPress(listGrid_, [this](QKeyEvent* key) {
        if (!isEnterKey(key))
            return false;
        chooseRow(listGrid_->currentIndex());
        return true;
    });
    connect(listGrid_, &QTableView::doubleClicked, this, &InvoiceListScreen::toggleLines);
    column->addWidget(listGrid_, 1);
    column->addWidget(listBar_);
    return area;
}

// The lines grid and its bar are shown and hidden together.
QWidget* InvoiceListScreen::makeLinesArea() {
    auto* area = new QWidget(this);
    linesArea_ = area;
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    auto* linesBar = new NavigationBar(area, "Data3Bar", lines_);
    linesBar->setCaption(tr("Invoice Details"));
    QTableView* linesGrid = makeDataGrid(area, "DBGrid2", tr("Invoice Details"), lines_,
                                         {{InvoiceLines::kDescription, tr("Description")},
                                          {InvoiceLines::kFileNumber, tr("Patient No")},
                                          {InvoiceLines::kAmount, tr("Amount")},
                                          {InvoiceLines::kCode, tr("Code")},
                                          {InvoiceLines::kInvoiceNumber, tr("Invoice No")}});
    lines_->model()->setCurrencyColumns({InvoiceLines::kAmount});
    followCurrentRecord(linesGrid, lines_);
    column->addWidget(linesGrid, 1);
    column->addWidget(linesBar);
    area->hide();
    return area;
}

QWidget* InvoiceListScreen::makeDetailPanel() {
    QFrame* panel = screenparts::panel(this, "SSPanel1");
    auto* form = new QFormLayout(panel);
    numberBox_ = makeTextBox(panel, "Text1");
    dateBox_ = new MaskedEdit(panel);
    dateBox_->setObjectName("text5");
    dateBox_->setMask("##/##/####");
    dateBox_->setDisplayFormat("dd/MM/yyyy");
    amountBox_ = makeTextBox(panel, "Text3", QString(), 5);
    installDigitFilter(amountBox_);
    netDueBox_ = makeTextBox(panel, "Text6");
    fileBox_ = makeTextBox(panel, "Text7");
    fileBox_->setEnabled(false);
    addLabelled(form, tr("Invoice NO :"), numberBox_);
    addLabelled(form, tr("Date :"), dateBox_);
    addLabelled(form, tr("Amount SR :"), amountBox_);
    addLabelled(form, tr("Net Due"), netDueBox_);
    addLabelled(form, tr("Patient No"), fileBox_);
    onKeyPress(numberBox_, [this](QKeyEvent* key) {
        if (!isEnterKey(key) || !isNumeric(numberBox_->text()))
            return false;
        FindInvoice(numberBox_->text());
        return true;
    });
    return panel;
}

QWidget* InvoiceListScreen::makeButtons() {
    QFrame* panel = screenparts::panel(this, "SSPanel2");
    auto* column = new QVBoxLayout(panel);
    QPushButton* save = makeButton(panel, "SSCommand1", tr("&Save"));
    QPushButton* open = makeButton(panel, "SSCommand3", tr("&Open"));
    QPushButton* remove = makeButton(panel, "SSCommand5", tr("&Delete"));
    QPushButton* quit = makeButton(panel, "SSCommand6", tr("&Quit"));
    for (QPushButton* button : {save, open, remove, quit})
        column->addWidget(button);
    column->addStretch();
    connect(save, &QPushButton::clicked, this, &InvoiceListScreen::saveInvoice);
    connect(open, &QPushButton::clicked, this, &InvoiceListScreen::openInvoice);
    connect(remove, &QPushButton::clicked, this, &InvoiceListScreen::deleteInvoice);
    connect(quit, &QPushButton::clicked, this, &QWidget::close);
    return panel;
}

void InvoiceListScreen::makeMenus() {
    QMenu* invoices = menuBar()->addMenu(tr("&Invoices"));
    invoices->setObjectName("mnuInvoices");
    QAction* outstanding = invoices->addAction(tr("&Outstanding"));
    outstanding->setObjectName("mnuOutstanding");
    QAction* all = invoices->addAction(tr("&All"));
    all->setObjectName("mnuAll");
    QMenu* print = menuBar()->addMenu(tr("&Print"));
    print->setObjectName("mnuPrint");
    QAction* screen = print->addAction(tr("&Screen"));
    screen->setObjectName("mnuScreen");
    QAction* printer = print->addAction(tr("P&rinter"));
    printer->setObjectName("mnuPrinter");
    connect(outstanding, &QAction::triggered, this,
            [this] { showList(tr("Pending Invoices"), kPendingInvoicesQuery); });
    connect(all, &QAction::triggered, this,
            [this] { showList(tr("All Invoices"), kAllInvoicesQuery); });
    connect(screen, &QAction::triggered, this, [this] { printInvoice(true); });
    connect(printer, &QAction::triggered, this, [this] { printInvoice(false); });
}
