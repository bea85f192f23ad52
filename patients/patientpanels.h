#pragma once

#include <QList>

class DataSource;
class MaskedEdit;
class QLineEdit;
class QWidget;

// The boxes of the patient file that the screen's handlers work with.
struct PatientBoxes {
    QLineEdit* fileNumber = nullptr; // Text1
    QLineEdit* givenName = nullptr;  // Text2
    QLineEdit* secondName = nullptr; // Text3
    QLineEdit* thirdName = nullptr;  // Text4
    QLineEdit* familyName = nullptr; // Text5
    QLineEdit* fullName = nullptr;   // Text7, hidden
    MaskedEdit* date = nullptr;      // Mask1
    // Every box of both panels in the order the Tab key visits them.
    QList<QWidget*> tabOrder;
};

// The patient panel and the relative panel, every box bound to its field of the patient files.
// The panels are added to the parent's layout by the caller.
PatientBoxes buildPatientPanels(QWidget* patientPanel, QWidget* relativePanel,
                                DataSource* patients);
