#include "app/screenfactories.h"

#include "app/aboutbox.h"
#include "app/mainwindow.h"
#include "invoices/catalogscreen.h"
#include "invoices/invoicelistscreen.h"
#include "invoices/invoicescreen.h"
#include "patients/openfiledialog.h"
#include "patients/patientfilescreen.h"
#include "patients/patientsearchscreen.h"
#include "reports/periodicreportsdialog.h"
#include "screens/screens.h"

void registerScreens(AppSettingsRecord& settings) {
    Screens::registerFactory(Screen::Main, [&settings] { return new MainWindow(settings); });
    Screens::registerFactory(Screen::PatientFile,
                             [&settings] { return new PatientFileScreen(settings); });
    Screens::registerFactory(Screen::PatientSearch,
                             [&settings] { return new PatientSearchScreen(settings); });
    Screens::registerFactory(Screen::OpenFile,
                             [&settings] { return new OpenFileDialog(settings); });
    Screens::registerFactory(Screen::Catalog, [&settings] { return new CatalogScreen(settings); });
    Screens::registerFactory(Screen::InvoiceList,
                             [&settings] { return new InvoiceListScreen(settings); });
    Screens::registerFactory(Screen::Invoice, [&settings] { return new InvoiceScreen(settings); });
    Screens::registerFactory(Screen::About, [] { return new AboutBox; });
    Screens::registerFactory(Screen::PeriodicReports, [&settings] {
        auto* dialog = new PeriodicReportsDialog(settings);
        QObject::connect(dialog, &PeriodicReportsDialog::closed,
                         [] { Screens::enableMainWindow(true); });
        return dialog;
    });
}
