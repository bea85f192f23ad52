#pragma once

#include <QMainWindow>

class QLabel;

// "Main": the letterhead and the buttons that open the working screens.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);

  private:
    QLabel* letterheadLabel(int number);
};
