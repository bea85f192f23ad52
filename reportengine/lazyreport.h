#pragma once

#include "reportengine/pagestore.h"
#include "reportengine/reportlayout.h"

#include <chrono>

class PageWriter;
class Progress;

// A report laid out only as far as it is wanted: a preview shows the first page at once and
// lays out the rest while the user looks at it. The pages go into a PageStore as they are made.
class LazyReport {
  public:
    // Throws AppError when a field of the report is not a column of the rows. The rows must
    // outlive this; the report is copied, as a preview may outlive the caller's.
    LazyReport(const Report& report, RowSource& rows);

    const QString& title() const { return report_.caption; }
    const std::vector<QFont>& fonts() const { return layout_.fonts(); }
    // The pages laid out so far.
    int pageCount() const { return store_.count(); }
    bool finished() const { return layout_.finished(); }
    Page page(int index) const { return store_.page(index); }

    // Lays out until there are at least `pages` pages or the report is finished.
    void layOutTo(int pages);
    // Lays out for about this long.
    void layOutFor(std::chrono::milliseconds time);
    // Lays out the rest, showing how far it has come; false when the user cancelled.
    bool layOutAll(Progress& progress);

  private:
    Report report_;
    PageStore store_;
    ReportLayout layout_;
};

// Every page of a report laid out to its end to the writer, one at a time; `pageText` tells the
// work with the page and the count as %1 and %2 ("Printing page %1 of %2"). False when the user
// cancelled.
bool writeAll(const LazyReport& report, PageWriter& writer, Progress& progress,
              const QString& pageText);
