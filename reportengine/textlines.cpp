#include "reportengine/textlines.h"

#include "reportengine/plainglyphs.h"

#include <QTextLayout>
#include <algorithm>

namespace {

QString withoutTrailingSpace(QString line) {
    while (!line.isEmpty() && line.back().isSpace())
        line.chop(1);
    return line;
}

QStringList wrap(const QString& text, const QFont& font, int width) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << withoutTrailingSpace(text.mid(line.textStart(), line.textLength()));
    }
    layout.endLayout();
    return lines;
}

} // namespace

bool isPlainLatin(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() < kPlainLatinEnd; });
}

qreal descentOf(const QString& line, const QFont& font, const QFontMetricsF& metrics) {
    if (isPlainLatin(line))
        return metrics.descent();
    QTextLayout layout(line, font);
    layout.beginLayout();
    QTextLine measured = layout.createLine();
    measured.setLineWidth(1e6);
    const qreal descent = measured.descent();
    layout.endLayout();
    return std::max(descent, metrics.descent());
}

QStringList breakLines(const QString& text, const QFont& font, const QFontMetricsF& metrics,
                       const PlainGlyphs& glyphs, int width) {
    // Plain text is drawn glyph by glyph as well, so measured that way a line that fits stays
    // whole.
    if (glyphs.covers(text) && glyphs.width(text) <= width)
        return {text};
    const bool multiline = text.contains('\n') || text.contains('\r');
    if (!multiline && metrics.horizontalAdvance(text) <= width)
        return {text};
    QString prepared = text;
    prepared.remove('\r').replace('\n', QChar::LineSeparator);
    return wrap(prepared, font, width);
}
