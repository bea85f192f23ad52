#pragma once

#include "screens/screens.h"

#include "benchdialogs.h"

#include <QString>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

// The program as its user runs it, on the database in one directory or on a server: its own
// program directory, settings store and error log in that directory, the benchmark answering its
// dialogs.
class ProgramSession {
  public:
    // A server's connection URI, when given, is where the data are.
    explicit ProgramSession(const QString& directory, const QString& server = QString());
    ~ProgramSession();
    ProgramSession(const ProgramSession&) = delete;
    ProgramSession& operator=(const ProgramSession&) = delete;

    // The start-up sequence up to the main window shown; false when the program would end. Unless
    // start-up itself is measured, the work it leaves running beside the program (the day's copy
    // of the database, the check of a large file) is done with first, so that nothing measured
    // afterwards shares the processor with it.
    bool start(bool settleBackgroundWork = true);
    // Closes every screen and lets go of the database, as ending the program does.
    void stop();
    // Presses the main window's button of a screen and lets it activate.
    QWidget* open(Screen screen);
    // Closes a screen as its close box does.
    void close(Screen screen);

    BenchDialogs dialogs;

  private:
    QString directory_;
    bool running_ = false;
};

// Lets the program handle every event that is waiting: queued activations, layouts, painting.
void settle();

// A control of a screen by its name and kind, found once and then remembered, so that looking
// it up costs nothing in a measurement; null when there is none.
QObject* findControl(QWidget* screen, const QString& name, const QMetaObject& kind);

// A control that the benchmark cannot go on without.
template <typename T = QWidget> T* control(QWidget* screen, const QString& name) {
    auto* found = static_cast<T*>(findControl(screen, name, T::staticMetaObject));
    if (!found) {
        std::fprintf(stderr, "no control %s\n", qPrintable(name));
        std::exit(1);
    }
    return found;
}
