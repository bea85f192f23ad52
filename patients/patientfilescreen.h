#pragma once

#include "patients/patientfileform.h"

#include "screens/workingscreen.h"

#include <QMainWindow>

struct AppSettingsRecord;
class DataSource;

// "Pt. File": one patient's file at a time, opened and begun by file number, with the patient's
// invoices on a second tab; in its menu the count of patients by nationality and the patient's
// statement.
class PatientFileScreen : public WorkingScreen<QMainWindow> {
    Q_OBJECT
  public:
    explicit PatientFileScreen(const AppSettingsRecord& settings, QWidget* parent = nullptr);

  protected:
    bool readyToClose() override;

  private:
    void connectHandlers();
    void activate() override;
    void beginFileAtActivation(const QString& number);
    void save();
    void newFile();
    void openFile();
    void cancelNewFile();
    void cancelFirstFile();
    void deleteFile();
    void print();
    void listInvoices();
    void countByNationality();
    void showStatement();

    // A pending new file with the typed number and today's date, cancelled by that button.
    void beginNewFile(QPushButton* cancel, const QString& number);
    // The buttons of viewing a file (no cancel button) or of adding one.
    void showState(QPushButton* cancel);
    void clearDate();
    // Puts the full name that Save stores together from the four name boxes.
    void composeFullName();
    // Edits of the file shown, or the file being entered, are written when the screen closes;
    // false when that was refused.
    bool storeOnClose();
    // Writes the file shown or files the one being entered; false when its number was taken.
    bool storeFile();

    const AppSettingsRecord& settings_;
    DataSource* patients_;
    DataSource* invoices_;
    PatientFileForm form_;
};
