#include "app/screenfactories.h"

#include "app/aboutbox.h"
#include "app/mainwindow.h"
#include "binding/screens.h"
#include "invoices/catalogscreen.h"
#include "invoices/invoicelistscreen.h"
#include "invoices/invoicescreen.h"
#include "patients/openfiledialog.h"
#include "patients/patientfilescreen.h"
#include "patients/patientsearchscreen.h"
#include "reports/periodicreportsdialog.h"

void registerScreens() {
    Screens::registerFactory(Screen::Main, [] { return new MainWindow; });
    Screens::registerFactory(Screen::PatientFile, [] { return new PatientFileScreen; });
    Screens::registerFactory(Screen::PatientSearch, [] { return new PatientSearchScreen; });
    Screens::registerFactory(Screen::OpenFile, [] { return new OpenFileDialog; });
    Screens::registerFactory(Screen::Catalog, [] { return new CatalogScreen; });
    Screens::registerFactory(Screen::InvoiceList, [] { return new InvoiceListScreen; });
    Screens::registerFactory(Screen::Invoice, [] { return new InvoiceScreen; });
    Screens::registerFactory(Screen::About, [] { return new AboutBox; });
    Screens::registerFactory(Screen::PeriodicReports, [] {
        auto* dialog = new PeriodicReportsDialog;
        QObject::connect(dialog, &PeriodicReportsDialog::closed,
                         [] { Screens::enableMainWindow(true); });
        return dialog;
    });
}
