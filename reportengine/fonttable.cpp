#include "reportengine/fonttable.h"

#include "reportengine/reportfonts.h"
#include "reportengine/textlines.h"

#include <algorithm>
#include <cmath>

int FontTable::indexOf(const ReportFont& font) {
    const auto found = std::find(keys_.begin(), keys_.end(), font);
    if (found != keys_.end())
        return static_cast<int>(found - keys_.begin());
    keys_.push_back(font);
    fonts_.push_back(toQFont(font));
    metrics_.emplace_back(fonts_.back());
    glyphs_.emplace_back(fonts_.back());
    lineHeights_.push_back(static_cast<int>(std::ceil(metrics_.back().height())));
    return static_cast<int>(keys_.size()) - 1;
}

int FontTable::lineHeight(int index, const QString& line) const {
    if (isPlainLatin(line))
        return lineHeights_[index];
    const QFontMetricsF& m = metrics_[index];
    return static_cast<int>(std::ceil(m.ascent() + descentOf(line, fonts_[index], m)));
}
