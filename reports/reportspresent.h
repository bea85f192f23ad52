#pragma once

#include <QString>

// True when the directory (given without a trailing separator) holds all five report files:
// "PER_INF_REP.RPT", "rep_day.rpt", "rep_mon.rpt", "rep_year.rpt" and "po_rep.rpt". Names are
// matched as the file system matches them; the files are never opened.
bool ReportsPresent(const QString& directory);
