#include "reportengine/reportlayout.h"

#include "db/engine/rowsource.h"
#include "reportengine/paginator.h"

ReportLayout::ReportLayout(const Report& report, RowSource& rows) : report_(report), rows_(rows) {
    const QStringList columns = rows.columns();
    for (const ReportSection& section : report.sections)
        sections_.push_back(std::make_unique<SectionLayout>(
            section, report.left(), report.defaultFont, fonts_, columns, sumColumns_));
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

void ReportLayout::start(std::function<void(Page&&)> sink) {
    pages_ = std::make_unique<Paginator>(
        kPageSizeTwips, report_.margins, [this] { return place(PageHeader); },
        [this] { return place(PageFooter); }, std::move(sink));
    onRow_ = rows_.next();
    pages_->place(place(ReportHeader));
}

bool ReportLayout::step() {
    if (finished_)
        return false;
    if (onRow_) {
        addRowToSums();
        pages_->place(place(Detail));
        onRow_ = rows_.next();
        return true;
    }
    pages_->place(place(ReportFooter));
    pages_->finish();
    finished_ = true;
    return false;
}

int ReportLayout::run(const std::function<void(Page&&)>& sink) {
    start(sink);
    while (step()) {
    }
    return pages_->pageCount();
}

LaidOutReport layoutReport(const Report& report, RowSource& rows) {
    ReportLayout layout(report, rows);
    LaidOutReport result{report.caption, kPageSizeTwips, {}, {}};
    layout.run([&result](Page&& page) { result.pages.push_back(std::move(page)); });
    result.fonts = layout.fonts();
    return result;
}
