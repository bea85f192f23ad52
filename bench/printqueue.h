#pragma once

#include <QSet>
#include <QString>

// The jobs waiting on the default printer's queue. A job the benchmark has handed to CUPS is
// measured once it is queued; CUPS's own conversion of thousands of pages would then take the
// machine's cores from whatever is measured next, so the benchmark cancels its jobs.

// The numbers of the jobs titled `title` that CUPS has not finished.
QSet<int> queuedJobs(const QString& title);
void cancelJobs(const QSet<int>& jobs);
