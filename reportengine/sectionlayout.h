#pragma once

#include "reportengine/fieldsum.h"
#include "reportengine/fonttable.h"
#include "reportengine/pages.h"
#include "reportengine/reportdefinition.h"

#include <QVarLengthArray>
#include <vector>

class RowSource;

// What a section shows when it is placed: the current row (none before the first or after the
// last) and the sums so far.
struct SectionValues {
    const RowSource* row = nullptr;
    const std::vector<FieldSum>* sums = nullptr;
};

// Turns one section into a band. Text wraps at its control's width; a control that can grow
// takes as many lines as its text needs and pushes down everything that starts below it.
class SectionLayout {
  public:
    // Controls without a font of their own use the default one. Text boxes and functions find
    // their fields among the columns; a function's sum is the index it receives in sumColumns.
    // Throws AppError for a field that is not a column.
    SectionLayout(const ReportSection& section, int left, const ReportFont& defaultFont,
                  FontTable& fonts, const QStringList& columns, std::vector<int>& sumColumns);

    Band place(const SectionValues& values) const;

  private:
    struct Item {
        const ReportControl* control = nullptr;
        int font = 0;
        int column = -1;
        int sum = -1;
        // The items that end above this one's top.
        std::vector<int> above;
    };
    // Most controls take one line: room for it without a trip to the heap, row after row.
    struct Sized {
        QVarLengthArray<QString, 2> lines;
        QVarLengthArray<int, 2> lineHeights;
        bool rightToLeft = false;
        int height = 0;
    };
    using SizedItems = QVarLengthArray<Sized, 16>;

    QString textOf(const Item& item, const SectionValues& values) const;
    Sized size(const Item& item, const SectionValues& values) const;
    void keepWholeLines(const Item& item, const QStringList& lines, Sized& sized) const;
    std::vector<int> shifts(const SizedItems& sized) const;
    void addToBand(const Item& item, const Sized& sized, int top, Band& band) const;

    const ReportSection& section_;
    int left_;
    const FontTable& fonts_;
    // Sorted from top to bottom, so that an item comes after everything above it.
    std::vector<Item> items_;
};
