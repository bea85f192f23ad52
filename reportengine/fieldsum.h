#pragma once

#include <QString>
#include <QVariant>

// A running sum of one field, as a report footer's function shows it. Whole numbers are summed
// exactly; null and non-numeric values add nothing.
class FieldSum {
  public:
    void add(const QVariant& value);
    QVariant total() const;

  private:
    qint64 whole_ = 0;
    double fraction_ = 0;
    bool hasFraction_ = false;
};
