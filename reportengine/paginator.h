#pragma once

#include "reportengine/pages.h"
#include "reportengine/reportdefinition.h"

#include <functional>

// Stacks bands on pages: the page header at the top and the page footer at the bottom of every
// page, bands in between. A band that does not fit goes to the next page; a band taller than a
// whole page is split between two lines of text, never through one.
class Paginator {
  public:
    using MakeBand = std::function<Band()>;
    using PageSink = std::function<void(Page&&)>;

    Paginator(const QSize& pageSize, const PageMargins& margins, MakeBand pageHeader,
              MakeBand pageFooter, PageSink sink);

    void place(Band band);
    // Closes the last page.
    void finish();
    int pageCount() const { return pageCount_; }

  private:
    void openPage();
    void closePage();
    bool fits(const Band& band) const { return y_ + band.height <= footerTop_; }

    QSize pageSize_;
    PageMargins margins_;
    MakeBand pageHeader_;
    MakeBand pageFooter_;
    PageSink sink_;

    Page page_;
    int pageCount_ = 0;
    size_t lastPageTexts_ = 0;
    bool open_ = false;
    int y_ = 0;
    int bodyTop_ = 0;
    int footerTop_ = 0;
};

// Where to cut a band so that at most `room` twips of it stay on the page and no line of text is
// cut: the lowest such place, or, when even the first line does not fit, the end of that line.
int cutPoint(const Band& band, int room);
// The part of a band above the cut, and the rest moved up to start at 0.
std::pair<Band, Band> splitBand(Band band, int cut);
