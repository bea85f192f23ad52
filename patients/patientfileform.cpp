#include "patients/patientfileform.h"

#include "binding/datagrid.h"
#include "binding/datasource.h"
#include "binding/widgets.h"

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
    QFrame* frame = makePanel(parent, "SSPanel3", "Buttons");
    form.save = makeButton(frame, "SSCommand1", "Save");
    form.newFile = makeButton(frame, "SSCommand2", "New");
    form.open = makeButton(frame, "SSCommand3", "Open");
    form.quit = makeButton(frame, "SSCommand4", "Quit");
    form.cancelNew = makeButton(frame, "SSCommand5", "Cancel");
    form.remove = makeButton(frame, "SSCommand6", "Delete");
    form.print = makeButton(frame, "SSCommand7", "Print");
    form.cancelFirst = makeButton(frame, "SSCommand8", "Cancel");
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
    QFrame* patientPanel = makePanel(tab, "SSPanel1", "Patient");
    QFrame* relativePanel = makePanel(tab, "SSPanel2", "First Relative");
    form.boxes = buildPatientPanels(patientPanel, relativePanel, patients);
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(patientPanel);
    layout->addWidget(relativePanel);
    layout->addWidget(buttonPanel(tab, form));
    layout->addStretch();
    return tab;
}

QTableView* invoicesGrid(QWidget* parent, DataSource* invoices) {
    QTableView* grid = makeDataGrid(parent, "DBGrid1", "Invoices", invoices,
                                    {{"file_num", "Patient No"},
                                     {"po_num", "Invoice No"},
                                     {"po_date", "Date"},
                                     {"po_pri", "Amount"},
                                     {"po_netd", "Due"}},
                                    GridEditing::RowByRow);
    invoices->model()->setCurrencyColumns({"po_pri", "po_netd"});
    grid->verticalHeader()->hide();
    return grid;
}

QWidget* invoicesTab(QWidget* parent, DataSource* invoices, PatientFileForm& form) {
    auto* tab = new QWidget(parent);
    auto* picture = new QLabel(tab);
    picture->setObjectName("Picture1");
    picture->setPixmap(tab->style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(48));
    auto* title = new QLabel("Invoices", tab);
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
    QMenu* menu = screen->menuBar()->addMenu("&Reports");
    menu->setObjectName("mnRepo1");
    menu->menuAction()->setObjectName("mnRepo1");
    form.nationalityCount = menu->addAction("&Nationality Count");
    form.nationalityCount->setObjectName("mnNationality");
    form.statement = menu->addAction("&Statement");
    form.statement->setObjectName("mnStatement");
    form.statement->setStatusTip("The patient's invoices and payments with the balance due");
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
    form.tabs->setAccessibleName("Patient file");
    form.tabs->addTab(personalTab(form.tabs, patients, form), "Personal Information");
    form.tabs->addTab(invoicesTab(form.tabs, invoices, form), "Invoices");
    screen->setCentralWidget(form.tabs);
    reportsMenu(screen, form);
    chainTabOrder(form.boxes.tabOrder + QList<QWidget*>{form.save, form.newFile, form.open,
                                                        form.cancelNew, form.cancelFirst,
                                                        form.remove, form.print, form.quit});
    return form;
}
