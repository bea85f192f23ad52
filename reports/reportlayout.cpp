#include "reports/reportlayout.h"

#include "db/rowsource.h"
#include "reports/paginator.h"

ReportLayout::ReportLayout(const Report& report, RowSource& rows) : report_(report), rows_(rows) {
    const QStringList columns = rows.columns();
    for (const ReportSection& section : report.sections)
        sections_.push_back(std::make_unique<SectionLayout>(
            section, report.margins.left, report.defaultFont, fonts_, columns, sumColumns_));
    sums_.resize(sumColumns_.size());
}

ReportLayout::~ReportLayout() = default;

Band ReportLayout::place(SectionRole role) const {
    return sections_[role]->place({onRow_ ? &rows_ : nullptr, &sums_});
}

void ReportLayout::addRowToSums() {
    for (size_t i = 0; i < sums_.size(); ++i)
        sums_[i].add(rows_.value(sumColumns_[i]));
}

int ReportLayout::run(const std::function<void(Page&&)>& sink) {
    Paginator pages(
        kPageSizeTwips, report_.margins, [this] { return place(PageHeader); },
        [this] { return place(PageFooter); }, sink);
    onRow_ = rows_.next();
    pages.place(place(ReportHeader));
    while (onRow_) {
        addRowToSums();
        pages.place(place(Detail));
        onRow_ = rows_.next();
    }
    pages.place(place(ReportFooter));
    pages.finish();
    return pages.pageCount();
}

LaidOutReport layoutReport(const Report& report, RowSource& rows) {
    ReportLayout layout(report, rows);
    LaidOutReport result{report.caption, kPageSizeTwips, {}, {}};
    layout.run([&result](Page&& page) { result.pages.push_back(std::move(page)); });
    result.fonts = layout.fonts();
    return result;
}
