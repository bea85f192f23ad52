#pragma once

#include "db/clinic/patientsearch.h"

#include <QWidget>

struct AppSettingsRecord;
class DataSource;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTableView;

// "Reasersh": lists the patient files whose family name, given name, home telephone or mobile
// number holds a text, with their file numbers and full names.
class PatientSearchScreen : public QWidget {
    Q_OBJECT
  public:
    explicit PatientSearchScreen(const AppSettingsRecord& settings, QWidget* parent = nullptr);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QGroupBox* searchPanel();
    QTableView* resultsGrid();
    void chooseField(SearchField field);
    void search();

    const AppSettingsRecord& settings_;
    DataSource* patients_;
    QButtonGroup* fields_;
    QLineEdit* text_;
    QLabel* fieldLabel_;
};
