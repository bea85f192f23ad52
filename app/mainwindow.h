#pragma once

#include <QMainWindow>

class PictureBox;
class QPushButton;

// "Main" (Form2): the clinic's letterhead and logo, the buttons that open the working screens and
// the settings menus. Closing it ends the program.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);

    // Disables the main window and shows the named screen, not modal. A screen that the program
    // does not have leaves everything as it was.
    void openScreen(const QString& name);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* buttonPanel();
    QPushButton* screenButton(int number, const QString& caption, const QString& screen);
    QWidget* logoPanel();
    void showStoredLogo();
    void watchScreens();
    void checkScreensLater();
    void enableWhenNoScreenShown();

    PictureBox* picture_ = nullptr;
};
