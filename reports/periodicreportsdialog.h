#pragma once

#include <QWidget>

struct AppSettingsRecord;
class QButtonGroup;
class QLayout;
class QLineEdit;
class QPushButton;

// "Reports" (Form6): the daily, monthly and annual income reports for a typed day, month or year,
// on the screen or on the default printer; beside them the cash book of the same period. It stays
// open for further reports; closing it in any way emits closed(), by which the main window takes
// itself back, and discards it.
class PeriodicReportsDialog : public QWidget {
    Q_OBJECT
  public:
    explicit PeriodicReportsDialog(const AppSettingsRecord& settings, QWidget* parent = nullptr);

  signals:
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    QLayout* periodRows();
    QWidget* destinationFrame();
    QLayout* buttonColumn();
    void arrangeControls();
    QLineEdit* makeBox(const QString& name, const QString& accessibleName, const QString& mask);
    QPushButton* makeButton(const QString& name, const QString& caption);
    void chooseKind(int kind);
    void produceReport();
    void produceCashBook();
    void runReport();

    const AppSettingsRecord& settings_;
    // 1 day, 2 month, 3 year.
    int kind_ = 1;
    // 0 screen, 1 printer.
    int destination_ = 0;
    QButtonGroup* kinds_ = nullptr;
    QButtonGroup* destinations_ = nullptr;
    // The day, the month and the year.
    QLineEdit* boxes_[3] = {};
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QPushButton* quit_ = nullptr;
    QPushButton* cashBook_ = nullptr;
};
