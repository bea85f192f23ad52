#include "reportengine/pages.h"

void Band::append(Band other, int dy) {
    for (PlacedText& text : other.texts) {
        text.rect.translate(0, dy);
        texts.push_back(std::move(text));
    }
    for (PlacedLine& line : other.lines) {
        line.line.translate(0, dy);
        lines.push_back(std::move(line));
    }
}

Page withPageCount(Page page, const QString& count) {
    for (PlacedText& text : page.content.texts)
        if (text.control == kPageOfPagesControl)
            text.text = text.text.arg(QString::number(page.number), count);
    return page;
}
