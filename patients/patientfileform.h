#pragma once

#include "patients/patientpanels.h"

class DataSource;
class QAction;
class QMainWindow;
class QPushButton;
class QTabWidget;
class QTableView;

// The controls of the patient file screen that its handlers work with.
struct PatientFileForm {
    QTabWidget* tabs = nullptr; // SSTab1
    PatientBoxes boxes;
    QPushButton* save = nullptr;        // SSCommand1
    QPushButton* newFile = nullptr;     // SSCommand2
    QPushButton* open = nullptr;        // SSCommand3
    QPushButton* quit = nullptr;        // SSCommand4
    QPushButton* cancelNew = nullptr;   // SSCommand5, cancels a file begun with New
    QPushButton* remove = nullptr;      // SSCommand6
    QPushButton* print = nullptr;       // SSCommand7
    QPushButton* cancelFirst = nullptr; // SSCommand8, cancels a file begun at opening
    QTableView* invoices = nullptr;     // DBGrid1
    QAction* nationalityCount = nullptr;
    QAction* statement = nullptr;
};

// Lays out the screen: the two tabs with their panels, boxes and grid, the buttons and the menu.
PatientFileForm buildPatientFileForm(QMainWindow* screen, DataSource* patients,
                                     DataSource* invoices);
