#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <string>
#include <vector>

// The figures of one run and the targets they are held to, printed as one table.
class Scoreboard {
  public:
    // The time of one iteration of a timed operation, by its benchmark name.
    void setTime(const std::string& name, double seconds);
    std::optional<double> time(const std::string& name) const;
    // The round trips to the server of one iteration, where the link counted them.
    void setRoundTrips(const std::string& name, double trips) { trips_[name] = trips; }
    std::optional<double> roundTrips(const std::string& name) const;

    // A row of the table. A row without a target only informs.
    struct Row {
        QString what;
        QString measured;
        QString reference;
        QString value;
        QString target;
        std::optional<bool> met;
    };
    void add(Row row) { rows_.push_back(std::move(row)); }
    // The program's time beside its floor's, held to at most `limit` times the floor when given;
    // or, with another measured side, that side's time beside the floor's.
    void addRatio(const QString& what, const std::string& operation, std::optional<double> limit,
                  const std::string& measuredSide = "program/");

    // Prints the table in Markdown; false when a target was missed or a figure is missing.
    bool print() const;

  private:
    std::map<std::string, double> times_;
    std::map<std::string, double> trips_;
    std::vector<Row> rows_;
};

QString milliseconds(double seconds);
QString mebibytes(long kib);
