#pragma once

#include "screens/workingscreen.h"

#include <QDialog>

struct AppSettingsRecord;
class DataSource;
class QLineEdit;
class QPushButton;

// The dialog before the invoice screen: the patient to be invoiced is looked up by file number,
// and "OK" keeps the patient's number, name and address as the header of the invoice to come.
// It hides rather than closes and begins a fresh header on every showing.
class OpenFileDialog : public WorkingScreen<QDialog> {
    Q_OBJECT
  public:
    explicit OpenFileDialog(const AppSettingsRecord& settings, QWidget* parent = nullptr);

    // "CANCEL", Escape and the window frame: nothing is kept.
    void reject() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildLayout();
    void activate() override;
    void lookUp(bool byTab);
    void confirm();

    const AppSettingsRecord& settings_;
    DataSource* patients_;
    DataSource* header_;
    QLineEdit* fileNumber_;
    QLineEdit* name_;
    QLineEdit* address_;
    QLineEdit* patientName_;
    QLineEdit* patientAddress_;
    QPushButton* ok_;
    QPushButton* cancel_;
};
