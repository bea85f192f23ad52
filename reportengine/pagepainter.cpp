#include "reportengine/pagepainter.h"

#include "core/isolatedtext.h"
#include "reportengine/textlines.h"

#include <QPainter>
#include <QTextLayout>

namespace {

// Text in other scripts (Arabic) is laid out with its own direction and drawn on the baseline
// that Latin text of the same font would have, so that a row of fields lines up.
void drawComplexText(QPainter& painter, const PlacedText& text, const QFont& font, qreal ascent) {
    QTextLayout layout(isolatedIn(text.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight, text.text),
                       font);
    QTextOption option(text.alignment | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(text.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(text.rect.width());
    layout.endLayout();
    layout.draw(&painter, QPointF(text.rect.left(), text.rect.top() + ascent - line.ascent()));
}

// Plain texts of one font straight from their glyphs, gathered into one run: a page's rows of
// numbers go out as a few runs instead of one text each.
class GlyphBatch {
  public:
    explicit GlyphBatch(QPainter& painter) : painter_(painter) {}

    void add(const PlacedText& text, const PlainGlyphs& glyphs, qreal ascent) {
        if (glyphs_ != &glyphs)
            flush();
        glyphs_ = &glyphs;
        const QRectF box(text.rect);
        qreal x = box.left();
        if (text.alignment & Qt::AlignRight)
            x = box.right() - glyphs.width(text.text);
        else if (text.alignment & Qt::AlignHCenter)
            x = box.left() + (box.width() - glyphs.width(text.text)) / 2;
        glyphs.addTo(indexes_, positions_, text.text, x, box.top() + ascent);
    }

    void flush() {
        if (!glyphs_ || indexes_.isEmpty())
            return;
        QGlyphRun run;
        run.setRawFont(glyphs_->rawFont());
        run.setGlyphIndexes(indexes_);
        run.setPositions(positions_);
        painter_.drawGlyphRun(QPointF(), run);
        indexes_.clear();
        positions_.clear();
    }

  private:
    QPainter& painter_;
    const PlainGlyphs* glyphs_ = nullptr;
    QList<quint32> indexes_;
    QList<QPointF> positions_;
};

} // namespace

PagePainter::PagePainter(std::vector<QFont> fonts) : fonts_(std::move(fonts)) {
    for (const QFont& font : fonts_) {
        ascents_.push_back(QFontMetricsF(font).ascent());
        glyphs_.emplace_back(font);
    }
}

void PagePainter::paint(QPainter& painter, const Page& page) const {
    painter.setPen(QPen(Qt::black, kRuleWidth));
    for (const PlacedLine& line : page.content.lines)
        painter.drawLine(line.line);
    GlyphBatch batch(painter);
    int font = -1;
    for (const PlacedText& text : page.content.texts) {
        if (text.font != font) {
            font = text.font;
            painter.setFont(fonts_[font]);
        }
        if (glyphs_[font].covers(text.text)) {
            batch.add(text, glyphs_[font], ascents_[font]);
            continue;
        }
        batch.flush();
        if (isPlainLatin(text.text))
            painter.drawText(QRectF(text.rect),
                             text.alignment | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                             text.text);
        else
            drawComplexText(painter, text, fonts_[font], ascents_[font]);
    }
    batch.flush();
}
