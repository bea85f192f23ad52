#pragma once

#include "benchsetup.h"

#include <QStringList>

class Scoreboard;

// Measurements that each take a process of their own, this program run again with
// "--probe <task> <directory> ...": the program as a user starts it, with nothing else that the
// benchmark did in its memory. LibreOffice, the yardstick of the PDF report, is a process of its
// own as well.

// Runs one task in this process, printing the time of its work and its peak memory; the exit
// code of the probe.
int runProbe(const QStringList& arguments);

// The annual report through the reports dialog to the preview's first page and to its whole
// report, with the preview's peak memory, and to the printer beside LibreOffice; report layout
// over n and 2n invoices; the PDF of the annual report's rows beside
// LibreOffice's, time and peak memory; peak memory with the invoice list open on all invoices.
void scoreProbes(Scoreboard& board, const BenchSetup& setup);
