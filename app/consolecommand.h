#pragma once

#include <QStringList>

// The commands that need no display and run on a server's console too: --help, --version and
// --copy-database FROM TO. True when the program was started for one of them rather than for
// its screens; Qt's own options (-platform, -style) still go to the screens.
bool isConsoleCommand(int argc, char* argv[]);

// Runs the command and returns the program's exit code: 0 when it did what was asked, 2 for a
// command line it does not understand.
int runConsoleCommand(const QStringList& arguments);
