#include "upkeep/backuprotation.h"

#include <QSet>
#include <algorithm>
#include <functional>
#include <optional>

namespace {

struct Rule {
    int copies;
    std::function<qint64(const QDate&)> period;
};

qint64 dayOf(const QDate& date) {
    return date.toJulianDay();
}

qint64 weekOf(const QDate& date) {
    int year = 0;
    const int week = date.weekNumber(&year);
    return qint64(year) * 100 + week;
}

qint64 monthOf(const QDate& date) {
    return qint64(date.year()) * 12 + date.month();
}

// Walks the copies from the newest: the newest copy of each period is kept unless an earlier
// rule kept it, in which case that period is already represented.
void keepByRule(const QList<int>& newestFirst, const QList<QDateTime>& taken, const Rule& rule,
                QSet<int>& kept) {
    std::optional<qint64> last;
    int keptHere = 0;
    for (const int index : newestFirst) {
        const qint64 period = rule.period(taken[index].date());
        if (last == period)
            continue;
        last = period;
        if (kept.contains(index))
            continue;
        kept.insert(index);
        if (++keptHere == rule.copies)
            return;
    }
}

} // namespace

QList<int> copiesToKeep(const QList<QDateTime>& taken, const QDate& today) {
    // A copy dated after today (a clock that once ran ahead) is kept and counts for no period:
    // it must not stand in for the copies of the last days.
    QSet<int> kept;
    QList<int> newestFirst;
    for (int i = 0; i < taken.size(); ++i) {
        if (taken[i].date() > today)
            kept.insert(i);
        else
            newestFirst << i;
    }
    std::stable_sort(newestFirst.begin(), newestFirst.end(),
                     [&taken](int a, int b) { return taken[a] > taken[b]; });
    for (const Rule& rule : {Rule{7, dayOf}, Rule{4, weekOf}, Rule{12, monthOf}})
        keepByRule(newestFirst, taken, rule, kept);
    for (int i = 0; i < taken.size(); ++i) {
        if (taken[i].date() == today)
            kept.insert(i);
    }
    QList<int> result(kept.begin(), kept.end());
    std::sort(result.begin(), result.end());
    return result;
}
