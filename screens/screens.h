#pragma once

#include <QList>
#include <QString>
#include <functional>

class QShowEvent;
class QWidget;

// The program's screens.
enum class Screen {
    PatientFile,
    Main,
    PatientSearch,
    Catalog,
    InvoiceList,
    PeriodicReports,
    Invoice,
    OpenFile,
    About
};

// The screen's objectName, by which screen readers and tests know it: "Form1" to "Form8",
// "frmAbout".
QString screenName(Screen screen);
// Every screen, in the order of their names.
QList<Screen> allScreens();

// Every screen of the program. A screen is created hidden the first time it is asked for, and
// discarded ("unloaded") when it closes; asking for it again creates it anew. The program
// registers how each screen is made.
namespace Screens {

using Factory = std::function<QWidget*()>;

void registerFactory(Screen screen, Factory factory);
// The screen, created hidden if it does not exist; null for a screen with no factory.
QWidget* get(Screen screen);
// The screen if it exists, else null.
QWidget* existing(Screen screen);
// Every screen that exists now.
QList<QWidget*> loaded();
// Forgets every factory and discards every screen.
void reset();

// The main window given back (or taken) while another screen is open.
void enableMainWindow(bool enabled);

// Runs the screen's opening work once the event loop is back, when the program showed it; a
// window that the window system brings back from its icon is not opened anew.
void whenOpened(QWidget* screen, const QShowEvent* event, std::function<void()> work);
// The same, and again each time a program window shown over the screen (a report preview)
// closes and the screen is active again. Message and input boxes do not count.
void onActivation(QWidget* screen, const QShowEvent* event, std::function<void()> work);

} // namespace Screens
