#pragma once

#include <QFont>
#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

// What the layout pass makes of a report: pages of positioned lines of text and rules, in twips
// from the top left of the paper. Every text item is one whole line of text.

struct PlacedText {
    QRect rect;
    QString text;
    // The control that the text belongs to.
    QString control;
    int font = 0;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool rightToLeft = false;
};

struct PlacedLine {
    QLine line;
    QString control;
};

// Content placed relative to a top edge: one section, or one page.
struct Band {
    int height = 0;
    std::vector<PlacedText> texts;
    std::vector<PlacedLine> lines;

    // Takes over another band's content, moved down by dy.
    void append(Band other, int dy);
};

struct Page {
    int number = 0;
    Band content;
};

// The control whose text holds the page's number as %1 and the count of pages as %2. Pages are
// laid out before the count is known, so the numbers are put in only when a page is shown.
inline const QString kPageOfPagesControl = QStringLiteral("pageofpages");
// The page with the numbers put in; `count` is the count of pages as it is to be read.
Page withPageCount(Page page, const QString& count);

struct LaidOutReport {
    QString title;
    QSize pageSize;
    // The fonts that PlacedText::font indexes.
    std::vector<QFont> fonts;
    std::vector<Page> pages;
};

// The width of every rule, in twips.
constexpr int kRuleWidth = 15;
