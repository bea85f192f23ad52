#pragma once

#include <QDateTime>
#include <QList>

// Which copies of the database are kept: the last copy of each of the 7 latest days that have
// one, then of each of the 4 latest weeks and the 12 latest months not already kept for a later
// day or week. After a year of daily copies that is exactly 7 + 4 + 12. Every copy of today is
// kept too, so that a copy taken before a restore is still there to go back to that day. The
// periods count back from today: a copy dated after it is kept and pushes out none.
// Returns the positions in `taken` of the copies to keep.
QList<int> copiesToKeep(const QList<QDateTime>& taken, const QDate& today);
