#pragma once

#include "screens/screens.h"

#include <QCloseEvent>
#include <QDialog>
#include <QShowEvent>
#include <type_traits>

// A screen opened over the main window, which stays disabled while it is open. Its opening work,
// which binds its data again, runs when the screen is shown and, unless it opens once only, each
// time it becomes the active window again after a preview closes. Closing it gives the main window
// back, unless the screen keeps itself open. A dialog's close is its Cancel.
template <typename Base> class WorkingScreen : public Base {
  public:
    enum class Opening { EachActivation, Once };

    explicit WorkingScreen(QWidget* parent, Opening opening = Opening::EachActivation)
        : Base(parent), opening_(opening) {}

  protected:
    virtual void activate() = 0;
    // False keeps the screen open: what it holds could not be put away.
    virtual bool readyToClose() { return true; }

    void showEvent(QShowEvent* event) override {
        Base::showEvent(event);
        if (opening_ == Opening::Once)
            Screens::whenOpened(this, event, [this] { activate(); });
        else
            Screens::onActivation(this, event, [this] { activate(); });
    }

    void closeEvent(QCloseEvent* event) override {
        if constexpr (std::is_base_of_v<QDialog, Base>) {
            Base::closeEvent(event);
        } else {
            if (!readyToClose()) {
                event->ignore();
                return;
            }
            Screens::enableMainWindow(true);
            event->accept();
        }
    }

  private:
    Opening opening_;
};
