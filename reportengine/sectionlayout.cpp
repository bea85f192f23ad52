#include "reportengine/sectionlayout.h"

#include "core/apperror.h"
#include "db/engine/rowsource.h"
#include "reportengine/textlines.h"
#include "reportengine/valueformat.h"

#include <algorithm>
#include <numeric>

namespace {

int columnOf(const QStringList& columns, const QString& field) {
    for (int i = 0; i < columns.size(); ++i)
        if (columns[i].compare(field, Qt::CaseInsensitive) == 0)
            return i;
    throw AppError(ErrorNumber::Unexpected,
                   "The report field \"" + field + "\" is not a column of its data.");
}

int bottomOf(const QRect& rect) {
    return rect.top() + rect.height();
}

// Everything below a growing control moves down with it, across the whole width, so that the
// fields of one row stay on one line.
bool standsAbove(const QRect& upper, const QRect& lower) {
    return bottomOf(upper) <= lower.top();
}

} // namespace

SectionLayout::SectionLayout(const ReportSection& section, int left, const ReportFont& defaultFont,
                             FontTable& fonts, const QStringList& columns,
                             std::vector<int>& sumColumns)
    : section_(section), left_(left), fonts_(fonts) {
    for (const ReportControl& control : section.controls) {
        Item item;
        item.control = &control;
        item.font = fonts.indexOf(control.font.value_or(defaultFont));
        if (control.kind == ControlKind::TextBox)
            item.column = columnOf(columns, control.dataField);
        if (control.kind == ControlKind::Function) {
            item.sum = static_cast<int>(sumColumns.size());
            sumColumns.push_back(columnOf(columns, control.dataField));
        }
        items_.push_back(item);
    }
    std::stable_sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
        return a.control->rect.top() < b.control->rect.top();
    });
    for (size_t i = 0; i < items_.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (standsAbove(items_[j].control->rect, items_[i].control->rect))
                items_[i].above.push_back(static_cast<int>(j));
}

QString SectionLayout::textOf(const Item& item, const SectionValues& values) const {
    const ReportControl& c = *item.control;
    switch (c.kind) {
    case ControlKind::Label:
        return c.caption;
    case ControlKind::TextBox:
        return values.row ? displayValue(values.row->value(item.column), c.format, c.formatPrefix)
                          : QString();
    case ControlKind::Function:
        return displayValue((*values.sums)[item.sum].total(), c.format, c.formatPrefix);
    case ControlKind::Line:
        break;
    }
    return QString();
}

SectionLayout::Sized SectionLayout::size(const Item& item, const SectionValues& values) const {
    const ReportControl& c = *item.control;
    Sized sized;
    sized.height = c.rect.height();
    const QString text = textOf(item, values);
    if (text.isEmpty())
        return sized;
    const PlainGlyphs& glyphs = fonts_.glyphs(item.font);
    // The bulk of a report, a number or a name that fits its box: one line of Latin letters.
    if (glyphs.covers(text) && glyphs.width(text) <= c.rect.width()) {
        sized.lines.append(text);
        sized.lineHeights.append(fonts_.lineHeight(item.font, text));
    } else {
        sized.rightToLeft = text.isRightToLeft();
        keepWholeLines(item,
                       breakLines(text, fonts_.fonts()[item.font], fonts_.metrics(item.font),
                                  glyphs, c.rect.width()),
                       sized);
    }
    if (c.canGrow)
        sized.height = std::max(
            sized.height, std::accumulate(sized.lineHeights.begin(), sized.lineHeights.end(), 0));
    return sized;
}

// Whole lines only: what does not fit a fixed box is left out, never cut in half.
void SectionLayout::keepWholeLines(const Item& item, const QStringList& lines, Sized& sized) const {
    const ReportControl& c = *item.control;
    int used = 0;
    for (const QString& line : lines) {
        const int height = fonts_.lineHeight(item.font, line);
        if (!c.canGrow && !sized.lines.isEmpty() && used + height > c.rect.height())
            break;
        sized.lines.append(line);
        sized.lineHeights.append(height);
        used += height;
    }
}

std::vector<int> SectionLayout::shifts(const SizedItems& sized) const {
    std::vector<int> shift(items_.size(), 0);
    for (size_t i = 0; i < items_.size(); ++i)
        for (int a : items_[i].above) {
            const int growth = sized[a].height - items_[a].control->rect.height();
            shift[i] = std::max(shift[i], shift[a] + growth);
        }
    return shift;
}

void SectionLayout::addToBand(const Item& item, const Sized& sized, int top, Band& band) const {
    const ReportControl& c = *item.control;
    const int x = left_ + c.rect.left();
    if (c.kind == ControlKind::Line) {
        band.lines.push_back({QLine(x, top, x + c.rect.width(), top), c.name});
        return;
    }
    int y = top;
    for (int i = 0; i < sized.lines.size(); ++i) {
        const int height = sized.lineHeights[i];
        band.texts.push_back({QRect(x, y, c.rect.width(), height), sized.lines[i], c.name,
                              item.font, c.alignment, sized.rightToLeft});
        y += height;
    }
}

Band SectionLayout::place(const SectionValues& values) const {
    SizedItems sized;
    bool grew = false;
    for (const Item& item : items_) {
        sized.append(size(item, values));
        grew = grew || sized.back().height != item.control->rect.height();
    }
    const std::vector<int> shift = grew ? shifts(sized) : std::vector<int>();
    Band band;
    band.texts.reserve(items_.size());
    band.height = section_.height;
    for (size_t i = 0; i < items_.size(); ++i) {
        const int top = items_[i].control->rect.top() + (grew ? shift[i] : 0);
        addToBand(items_[i], sized[i], top, band);
        band.height = std::max(band.height, top + sized[i].height);
    }
    return band;
}
