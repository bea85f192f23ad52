#pragma once

#include <QStringList>

// The commands that need no display and run on a server's console too: --help, --version and
// --copy-database FROM TO. True when the program was started with anything but Qt's own options
// (-platform, -style), which still go to the screens: an option or argument it does not know is
// answered on the console too, never by a window.
bool isConsoleCommand(int argc, char* argv[]);

// Runs the command and returns the program's exit code: 0 when it did what was asked, 2 for a
// command line it does not understand.
int runConsoleCommand(const QStringList& arguments);
