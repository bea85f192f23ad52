#pragma once

#include "screens/screens.h"

#include <QMainWindow>
#include <optional>

struct AppSettingsRecord;
class PictureBox;
class QPushButton;

// "Main" (Form2): the clinic's letterhead and logo, the buttons that open the working screens and
// the settings menus. Closing it ends the program.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(AppSettingsRecord& settings, QWidget* parent = nullptr);

    // Disables the main window and shows the named screen, not modal. A screen that the program
    // does not have leaves everything as it was.
    void openScreen(Screen screen);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* buttonPanel();
    QPushButton* screenButton(int number, const QString& caption, std::optional<Screen> screen);
    QWidget* logoPanel();
    void showStoredLogo();
    void watchScreens();
    void checkScreensLater();
    void enableWhenNoScreenShown();

    AppSettingsRecord& settings_;
    PictureBox* picture_ = nullptr;
};
