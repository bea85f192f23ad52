#pragma once

#include "benchsetup.h"

class Scoreboard;

// For start-up and for each screen as it opens, the widest scan of a table that any statement
// made: whether opening it read a whole table.
void scoreScreenScans(Scoreboard& board, const BenchSetup& setup);
