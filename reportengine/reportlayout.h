#pragma once

#include "reportengine/fieldsum.h"
#include "reportengine/fonttable.h"
#include "reportengine/pages.h"
#include "reportengine/reportdefinition.h"
#include "reportengine/sectionlayout.h"

#include <functional>
#include <memory>

class Paginator;
class RowSource;

// The layout pass: reads the rows once, from first to last, and turns the report into pages.
// The report header comes once at the start, the detail once per row, the report footer once
// after the last row; the page header and footer on every page. Sums are taken as the rows go
// by. Text boxes outside the detail show the row being laid out when their section is placed,
// if there is one.
class ReportLayout {
  public:
    // Throws AppError when a field of the report is not a column of the rows.
    ReportLayout(const Report& report, RowSource& rows);
    ~ReportLayout();

    const std::vector<QFont>& fonts() const { return fonts_.fonts(); }
    // Hands every finished page to the sink, in order; returns the number of pages.
    int run(const std::function<void(Page&&)>& sink);

    // The same a row at a time, for a caller that shows pages while the rest are laid out:
    // start() places the report header, each step() one row or, after the last, the report
    // footer. False once the last page has gone to the sink.
    void start(std::function<void(Page&&)> sink);
    bool step();
    bool finished() const { return finished_; }

  private:
    Band place(SectionRole role) const;
    void addRowToSums();

    const Report& report_;
    RowSource& rows_;
    FontTable fonts_;
    std::vector<int> sumColumns_;
    std::vector<FieldSum> sums_;
    std::vector<std::unique_ptr<SectionLayout>> sections_;
    std::unique_ptr<Paginator> pages_;
    bool onRow_ = false;
    bool finished_ = false;
};

// Lays the whole report out in memory, for a preview or a file.
LaidOutReport layoutReport(const Report& report, RowSource& rows);
