#pragma once

#include "benchsetup.h"

class Scoreboard;

// The statistic of repeated runs that the table takes.
constexpr auto kFastest = "fastest";
// The counter of the round trips an action took on the slow link, per iteration.
constexpr auto kRoundTrips = "round_trips";

// Registers every timed operation twice, "program/<operation>" through the program's own
// screens and code, "floor/<operation>" as the bare engine's query for the same answer.
void registerBenchmarks(BenchSetup& setup);
// Turns the times into the table's rows.
void scoreTimes(Scoreboard& board, const BenchSetup& setup);
// The same for the single actions on a slow link, with their round trips.
void scoreRoundTrips(Scoreboard& board);
