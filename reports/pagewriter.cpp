#include "reports/pagewriter.h"

#include "reports/reportdefinition.h"
#include "reports/textlines.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <QTextLayout>

void setUpPage(QPagedPaintDevice& device) {
    if (auto* printer = dynamic_cast<QPrinter*>(&device))
        printer->setFullPage(true);
    device.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

namespace {

// Text in other scripts (Arabic) is laid out with its own direction and drawn on the baseline
// that Latin text of the same font would have, so that a row of fields lines up.
void drawComplexText(QPainter& painter, const PlacedText& text, const QFont& font, qreal ascent) {
    QTextLayout layout(text.text, font);
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

// Draws one page; the painter is scaled to twips.
void paintPage(QPainter& painter, const Page& page, const std::vector<QFont>& fonts,
               const std::vector<qreal>& ascents) {
    painter.setPen(QPen(Qt::black, kRuleWidth));
    for (const PlacedLine& line : page.content.lines)
        painter.drawLine(line.line);
    int font = -1;
    for (const PlacedText& text : page.content.texts) {
        if (text.font != font) {
            font = text.font;
            painter.setFont(fonts[font]);
        }
        if (isPlainLatin(text.text))
            painter.drawText(QRectF(text.rect),
                             text.alignment | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                             text.text);
        else
            drawComplexText(painter, text, fonts[font], ascents[font]);
    }
}

} // namespace

PageWriter::PageWriter(QPagedPaintDevice& device, std::vector<QFont> fonts)
    : device_(device), fonts_(std::move(fonts)) {
    for (const QFont& font : fonts_)
        ascents_.push_back(QFontMetricsF(font).ascent());
}

bool PageWriter::start() {
    setUpPage(device_);
    if (!painter_.begin(&device_))
        return false;
    painter_.scale(device_.logicalDpiX() / 1440.0, device_.logicalDpiY() / 1440.0);
    return true;
}

void PageWriter::write(const Page& page) {
    if (written_++ > 0)
        device_.newPage();
    paintPage(painter_, page, fonts_, ascents_);
}

void PageWriter::finish() {
    painter_.end();
}
