#pragma once

#include "benchsetup.h"

#include <QStringList>

class Scoreboard;

// Measurements that need a process of their own, so that nothing else the benchmark did counts
// in their peak memory: this program is run again with "--probe <task> <directory> ...".

// Runs one task in this process and prints its peak memory; the exit code of the probe.
int runProbe(const QStringList& arguments);

// Peak memory with the invoice list open on every invoice, and of the annual PDF beside
// LibreOffice's for the same rows.
void scoreMemory(Scoreboard& board, const BenchSetup& setup);
// The widest scan of a table while each screen opens.
void scoreScreenScans(Scoreboard& board, const BenchSetup& setup);
