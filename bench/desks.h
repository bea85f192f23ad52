#pragma once

#include "benchsetup.h"

#include <QStringList>

class Scoreboard;

// Invoices saved per second by 1, 2, 4 and 8 workstations at once on a server, each a process of
// its own (this program run again with --desk) composing ten-line invoices on the invoice screen
// and saving them with "OK"; the counts of invoices and lines are checked after each round.
void scoreDesks(Scoreboard& board, const BenchSetup& setup);

// One workstation: korvel-bench --desk URI DESK INVOICES. Prints "ready" once its screens are
// up, waits for a line on its input, saves the invoices for the patient whose file number is
// DESK, then prints "seconds" (the whole round) and "saving" (the "OK" presses alone).
int runDesk(const QStringList& arguments);
