#include "patients/patientfileform.h"

#include "binding/datagrid.h"
#include "binding/datasource.h"
#include "db/clinic/savedinvoices.h"
#include "screens/widgets.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

// "Open" and both "Cancel" buttons share one place; only one of them is ever shown.
QFrame* buttonPanel(QWidget* parent, PatientFileForm& form) {
    QFrame* frame =
        makePanel(parent, "SSPanel3", QCoreApplication::translate("PatientFileForm", "Buttons"));
    form.save =
        makeButton(frame, "SSCommand1", QCoreApplication::translate("PatientFileForm", "Save"));
    form.newFile =
        makeButton(frame, "SSCommand2", QCoreApplication::translate("PatientFileForm", "New"));
    form.open =
        makeButton(frame, "SSCommand3", QCoreApplication::translate("PatientFileForm", "Open"));
    form.quit =
        makeButton(frame, "SSCommand4", QCoreApplication::translate("PatientFileForm", "Quit"));
    form.cancelNew =
        makeButton(frame, "SSCommand5", QCoreApplication::translate("PatientFileForm", "Cancel"));
    form.remove =
        makeButton(frame, "SSCommand6", QCoreApplication::translate("PatientFileForm", "Delete"));
    form.print =
        makeButton(frame, "SSCommand7", QCoreApplication::translate("PatientFileForm", "Print"));
    form.cancelFirst =
        makeButton(frame, "SSCommand8", QCoreApplication::translate("PatientFileForm", "Cancel"));
    form.cancelNew->hide();
    form.cancelFirst->hide();

    auto* layout = new QGridLayout(frame);
    layout->addWidget(form.save, 0, 0);
    layout->addWidget(form.newFile, 0, 1);
    layout->addWidget(form.open, 0, 2);
    layout->addWidget(form.cancelNew, 0, 2);
    layout->addWidget(form.cancelFirst, 0, 2);
    layout->addWidget(form.remove, 0, 3);
    layout->addWidget(form.print, 0, 4);
    layout->addWidget(form.quit, 0, 5);
    return frame;
}

QWidget* personalTab(QWidget* parent, DataSource* patients, PatientFileForm& form) {
    auto* tab = new QWidget(parent);
    QFrame* patientPanel =
        makePanel(tab, "SSPanel1", QCoreApplication::translate("PatientFileForm", "Patient"));
    QFrame* relativePanel = makePanel(
        tab, "SSPanel2", QCoreApplication::translate("PatientFileForm", "First Relative"));
    form.boxes = buildPatientPanels(patientPanel, relativePanel, patients);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(patientPanel);
    layout->addWidget(relativePanel);
    layout->addWidget(buttonPanel(tab, form));
    layout->addStretch();
    return tab;
}

QTableView* invoicesGrid(QWidget* parent, DataSource* invoices) {
    QTableView* grid = makeDataGrid(
        parent, "DBGrid1", QCoreApplication::translate("PatientFileForm", "Invoices"), invoices,
        {{SavedInvoices::kFileNumber, QCoreApplication::translate("PatientFileForm", "Patient No")},
         {SavedInvoices::kNumber, QCoreApplication::translate("PatientFileForm", "Invoice No")},
         {SavedInvoices::kDate, QCoreApplication::translate("PatientFileForm", "Date")},
         {SavedInvoices::kAmount, QCoreApplication::translate("PatientFileForm", "Amount")},
         {SavedInvoices::kNetDue, QCoreApplication::translate("PatientFileForm", "Due")}},
        GridEditing::RowByRow);
    invoices->model()->setCurrencyColumns({SavedInvoices::kAmount, SavedInvoices::kNetDue});
    grid->verticalHeader()->hide();
    return grid;
}

QWidget* invoicesTab(QWidget* parent, DataSource* invoices, PatientFileForm& form) {
    auto* tab = new QWidget(parent);
    auto* picture = new QLabel(tab);
    picture->setObjectName("Picture1");
    picture->setPixmap(tab->style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(48));
    auto* title = new QLabel(QCoreApplication::translate("PatientFileForm", "Invoices"), tab);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    form.invoices = invoicesGrid(tab, invoices);

    auto* heading = new QHBoxLayout;
    heading->addWidget(picture);
    heading->addWidget(title);
    heading->addStretch();
    auto* layout = new QVBoxLayout(tab);
    layout->addLayout(heading);
    layout->addWidget(form.invoices);
    return tab;
}

void reportsMenu(QMainWindow* screen, PatientFileForm& form) {
    QMenu* menu =
        screen->menuBar()->addMenu(QCoreApplication::translate("PatientFileForm", "&Reports"));
    menu->setObjectName("mnRepo1");
    menu->menuAction()->setObjectName("mnRepo1");
    form.nationalityCount =
        menu->addAction(QCoreApplication::translate("PatientFileForm", "&Nationality Count"));
    form.nationalityCount->setObjectName("mnNationality");
    form.statement = menu->addAction(QCoreApplication::translate("PatientFileForm", "&Statement"));
    form.statement->setObjectName("mnStatement");
    form.statement->setStatusTip(QCoreApplication::translate(
        "PatientFileForm", "The patient's invoices and payments with the balance due"));
}

void chainTabOrder(const QList<QWidget*>& widgets) {
    for (int i = 1; i < widgets.size(); ++i)
        QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

} // namespace

PatientFileForm buildPatientFileForm(QMainWindow* screen, DataSource* patients,
                                     DataSource* invoices) {
    PatientFileForm form;
    form.tabs = new QTabWidget(screen);
    form.tabs->setObjectName("SSTab1");
    form.tabs->setAccessibleName(QCoreApplication::translate("PatientFileForm", "Patient file"));
    form.tabs->addTab(personalTab(form.tabs, patients, form),
                      QCoreApplication::translate("PatientFileForm", "Personal Information"));
    form.tabs->addTab(invoicesTab(form.tabs, invoices, form),
                      QCoreApplication::translate("PatientFileForm", "Invoices"));
    screen->setCentralWidget(form.tabs);
    reportsMenu(screen, form);
    chainTabOrder(form.boxes.tabOrder + QList<QWidget*>{form.save, form.newFile, form.open,
                                                        form.cancelNew, form.cancelFirst,
                                                        form.remove, form.print, form.quit});
    return form;
}
