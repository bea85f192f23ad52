#pragma once

#include "reportengine/pages.h"
#include "reportengine/plainglyphs.h"

#include <QFont>
#include <vector>

class QPainter;

// Paints laid-out pages with a painter whose unit is the twip, on paper or on the screen. Plain
// text goes out as runs of glyphs looked up once per font, other scripts through the full text
// layout.
class PagePainter {
  public:
    explicit PagePainter(std::vector<QFont> fonts);

    void paint(QPainter& painter, const Page& page) const;

  private:
    std::vector<QFont> fonts_;
    std::vector<qreal> ascents_;
    std::vector<PlainGlyphs> glyphs_;
};
