#include "scoreboard.h"

#include <cstdio>

QString milliseconds(double seconds) {
    return QString::number(seconds * 1000, 'f', seconds < 0.01 ? 3 : 1) + " ms";
}

QString mebibytes(long kib) {
    return QString::number(kib / 1024.0, 'f', 1) + " MiB";
}

void Scoreboard::setTime(const std::string& name, double seconds) {
    times_[name] = seconds;
}

std::optional<double> Scoreboard::time(const std::string& name) const {
    const auto found = times_.find(name);
    if (found == times_.end())
        return std::nullopt;
    return found->second;
}

std::optional<double> Scoreboard::roundTrips(const std::string& name) const {
    const auto found = trips_.find(name);
    if (found == trips_.end())
        return std::nullopt;
    return found->second;
}

void Scoreboard::addRatio(const QString& what, const std::string& operation,
                          std::optional<double> limit, const std::string& measuredSide) {
    const auto program = time(measuredSide + operation);
    const auto floor = time("floor/" + operation);
    Row row{what, "", "", "", limit ? "≤ " + QString::number(*limit) + " × floor" : "", {}};
    if (!program || !floor) {
        row.value = "not measured";
        row.met = limit ? std::optional<bool>(false) : std::nullopt;
        add(row);
        return;
    }
    const double ratio = *program / *floor;
    row.measured = milliseconds(*program);
    row.reference = milliseconds(*floor);
    row.value = QString::number(ratio, 'f', 2) + " ×";
    if (limit)
        row.met = ratio <= *limit;
    add(row);
}

bool Scoreboard::print() const {
    bool allMet = true;
    std::printf("\n| What | Korvel | Reference | Ratio / figure | Target | Met |\n");
    std::printf("|---|---:|---:|---:|---|---|\n");
    for (const Row& row : rows_) {
        const char* met = !row.met ? "" : *row.met ? "yes" : "**NO**";
        if (row.met && !*row.met)
            allMet = false;
        std::printf("| %s | %s | %s | %s | %s | %s |\n", qPrintable(row.what),
                    qPrintable(row.measured), qPrintable(row.reference), qPrintable(row.value),
                    qPrintable(row.target), met);
    }
    return allMet;
}
