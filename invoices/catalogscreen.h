#pragma once

#include "screens/workingscreen.h"

#include <QWidget>

struct AppSettingsRecord;
class DataSource;
class QLineEdit;
class QPushButton;
class QTableView;

// "Description Entry": the catalog of billable procedures, one record at a time, with the whole
// catalog in a grid below. A record is written only by "Save".
class CatalogScreen : public WorkingScreen<QWidget> {
    Q_OBJECT
  public:
    explicit CatalogScreen(const AppSettingsRecord& settings, QWidget* parent = nullptr);

  private:
    QWidget* makeBoxes();
    QWidget* makeButtons();
    void activate() override;
    void startNewRecord();
    void openRecord();
    void searchTypedCode();
    void save();
    void cancelEdit();
    void deleteRecord();
    // Browsing, or editing a record until "Save" or "Cancel" ends the edit.
    void setEditing(bool editing);

    const AppSettingsRecord& settings_;
    DataSource* catalog_;
    QLineEdit* codeBox_ = nullptr;
    QLineEdit* descriptionBox_ = nullptr;
    QLineEdit* amountBox_ = nullptr;
    QTableView* grid_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* newButton_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* quitButton_ = nullptr;
};
