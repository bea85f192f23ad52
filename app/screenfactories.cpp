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
    Screens::registerFactory("Form2", [] { return new MainWindow; });
    Screens::registerFactory("Form1", [] { return new PatientFileScreen; });
    Screens::registerFactory("Form3", [] { return new PatientSearchScreen; });
    Screens::registerFactory("Form8", [] { return new OpenFileDialog; });
    Screens::registerFactory("Form4", [] { return new CatalogScreen; });
    Screens::registerFactory("Form5", [] { return new InvoiceListScreen; });
    Screens::registerFactory("Form7", [] { return new InvoiceScreen; });
    Screens::registerFactory("frmAbout", [] { return new AboutBox; });
    Screens::registerFactory("Form6", [] {
        auto* dialog = new PeriodicReportsDialog;
        QObject::connect(dialog, &PeriodicReportsDialog::closed,
                         [] { Screens::enableMainWindow(true); });
        return dialog;
    });
}
