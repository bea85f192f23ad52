#pragma once

#include "reportengine/plainglyphs.h"
#include "reportengine/reportdefinition.h"

#include <QFont>
#include <QFontMetricsF>
#include <vector>

// The distinct fonts of one report, each with what the layout measures by.
class FontTable {
  public:
    // The index of the font, added on first use.
    int indexOf(const ReportFont& font);

    const std::vector<QFont>& fonts() const { return fonts_; }
    const QFontMetricsF& metrics(int index) const { return metrics_[index]; }
    const PlainGlyphs& glyphs(int index) const { return glyphs_[index]; }
    // The height of this line of text, whole twips: taller where fallback fonts need it.
    int lineHeight(int index, const QString& line) const;

  private:
    std::vector<ReportFont> keys_;
    std::vector<QFont> fonts_;
    std::vector<QFontMetricsF> metrics_;
    std::vector<PlainGlyphs> glyphs_;
    std::vector<int> lineHeights_;
};
