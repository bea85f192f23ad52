#include "reportengine/paginator.h"

#include <algorithm>

namespace {

bool cutsText(const Band& band, int y) {
    return std::any_of(band.texts.begin(), band.texts.end(), [y](const PlacedText& t) {
        return t.rect.top() < y && y < t.rect.top() + t.rect.height();
    });
}

} // namespace

int cutPoint(const Band& band, int room) {
    std::vector<int> candidates{room, band.height};
    for (const PlacedText& t : band.texts)
        candidates.insert(candidates.end(), {t.rect.top(), t.rect.top() + t.rect.height()});
    int best = 0;
    int firstAfterRoom = band.height;
    for (int y : candidates) {
        if (y <= 0 || y > band.height || cutsText(band, y))
            continue;
        if (y <= room)
            best = std::max(best, y);
        else
            firstAfterRoom = std::min(firstAfterRoom, y);
    }
    return best > 0 ? best : firstAfterRoom;
}

std::pair<Band, Band> splitBand(Band band, int cut) {
    Band upper;
    Band lower;
    upper.height = cut;
    lower.height = band.height - cut;
    for (PlacedText& t : band.texts) {
        const bool above = t.rect.top() + t.rect.height() <= cut;
        if (!above)
            t.rect.translate(0, -cut);
        (above ? upper : lower).texts.push_back(std::move(t));
    }
    for (PlacedLine& l : band.lines) {
        const bool above = l.line.y1() <= cut;
        if (!above)
            l.line.translate(0, -cut);
        (above ? upper : lower).lines.push_back(std::move(l));
    }
    return {std::move(upper), std::move(lower)};
}

Paginator::Paginator(const QSize& pageSize, const PageMargins& margins, MakeBand pageHeader,
                     MakeBand pageFooter, PageSink sink)
    : pageSize_(pageSize), margins_(margins), pageHeader_(std::move(pageHeader)),
      pageFooter_(std::move(pageFooter)), sink_(std::move(sink)) {}

void Paginator::openPage() {
    page_ = Page{++pageCount_, {}};
    // Pages of one report hold much the same: room for as much as the last one held.
    page_.content.texts.reserve(lastPageTexts_);
    open_ = true;
    y_ = margins_.top;
    Band header = pageHeader_();
    const int height = header.height;
    page_.content.append(std::move(header), y_);
    y_ += height;
    bodyTop_ = y_;
    footerTop_ = pageSize_.height() - margins_.bottom - pageFooter_().height;
}

void Paginator::closePage() {
    page_.content.append(pageFooter_(), footerTop_);
    lastPageTexts_ = page_.content.texts.size();
    page_.content.height = pageSize_.height();
    open_ = false;
    sink_(std::move(page_));
}

void Paginator::place(Band band) {
    if (!open_)
        openPage();
    while (!fits(band)) {
        if (y_ > bodyTop_) {
            closePage();
            openPage();
            continue;
        }
        const int cut = cutPoint(band, footerTop_ - y_);
        if (cut >= band.height)
            break; // one line taller than the page: it overlaps the footer rather than repeat
        auto [upper, lower] = splitBand(std::move(band), cut);
        page_.content.append(std::move(upper), y_);
        band = std::move(lower);
        closePage();
        openPage();
    }
    const int height = band.height;
    page_.content.append(std::move(band), y_);
    y_ += height;
}

void Paginator::finish() {
    if (!open_)
        openPage();
    closePage();
}
