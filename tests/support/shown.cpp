#include "shown.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGlyphRun>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextLayout>

QString screenshot(QWidget* window, const QString& name) {
    QDir().mkpath("screenshots");
    const QString path = QDir("screenshots").absoluteFilePath(name + ".png");
    // What the window system shows, the window painted as on the screen.
    QCoreApplication::processEvents();
    window->screen()->grabWindow(window->winId()).save(path);
    return path;
}

bool readsLeftToRight(const QString& shown, const QString& part, Qt::LayoutDirection direction) {
    for (const QString& lineText : shown.split('\n')) {
        const int at = lineText.indexOf(part);
        if (at < 0)
            continue;
        QTextLayout layout(lineText, QApplication::font());
        QTextOption option;
        option.setTextDirection(direction);
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(100000);
        layout.endLayout();
        // Where each character's glyph stands on the line.
        qreal previous = -1e9;
        for (int i = at; i < at + part.size(); ++i) {
            const QList<QGlyphRun> runs = line.glyphRuns(i, 1);
            if (runs.isEmpty() || runs.first().positions().isEmpty())
                continue;
            const qreal x = runs.first().positions().first().x();
            if (x <= previous)
                return false;
            previous = x;
        }
        return true;
    }
    return false;
}

QStringList crampedButtons(QWidget* window) {
    QList<QAbstractButton*> buttons;
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->isVisible() && !button->text().isEmpty())
            buttons << button;
    QStringList cramped;
    for (QAbstractButton* button : buttons) {
        const QRect place(button->mapTo(window, QPoint(0, 0)), button->size());
        const int text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text()).width();
        bool touches = false;
        for (QAbstractButton* other : buttons) {
            const QRect beside(other->mapTo(window, QPoint(0, 0)), other->size());
            touches =
                touches || (other != button && place.adjusted(-3, 0, 3, 0).intersects(beside));
        }
        if (button->width() < text + 16 || touches)
            cramped << button->text();
    }
    return cramped;
}

namespace {

// The view's and the delegate's own preparation of a cell, reached from outside.
struct ExposedView : QTableView {
    using QTableView::initViewItemOption;
};
struct ExposedDelegate : QStyledItemDelegate {
    using QStyledItemDelegate::initStyleOption;
};

} // namespace

DrawnCell drawnCell(QTableView* grid, const QModelIndex& index) {
    QStyleOptionViewItem option;
    static_cast<ExposedView*>(grid)->initViewItemOption(&option);
    auto* delegate = static_cast<ExposedDelegate*>(grid->itemDelegateForIndex(index));
    delegate->initStyleOption(&option, index);
    return {option.text, option.direction};
}

namespace {

// Where a picture differs from its background, cut to the extent of its marks.
QImage inkOf(const QImage& picture) {
    const QColor background = picture.pixelColor(0, 0);
    const auto marked = [&](int x, int y) {
        const QColor c = picture.pixelColor(x, y);
        return std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
                   std::abs(c.blue() - background.blue()) >
               150;
    };
    QRect extent;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (marked(x, y))
                extent |= QRect(x, y, 1, 1);
    QImage ink(extent.size(), QImage::Format_Grayscale8);
    ink.fill(0);
    for (int y = 0; y < ink.height(); ++y)
        for (int x = 0; x < ink.width(); ++x)
            if (marked(extent.x() + x, extent.y() + y))
                ink.setPixel(x, y, 0xffffffff);
    return ink;
}

// The text drawn on one line in the given direction, as a cell of the grid would draw it.
QImage drawnText(const QString& text, const QFont& font, Qt::LayoutDirection direction) {
    QImage picture(QFontMetrics(font).horizontalAdvance(text) + 20,
                   QFontMetrics(font).height() + 10, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(direction);
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine().setLineWidth(picture.width() - 10);
    layout.endLayout();
    QPainter painter(&picture);
    painter.setPen(Qt::black);
    layout.draw(&painter, QPointF(5, 5));
    return picture;
}

int differingPixels(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < std::max(a.height(), b.height()); ++y)
        for (int x = 0; x < std::max(a.width(), b.width()); ++x) {
            const bool inA = a.valid(x, y) && qGray(a.pixel(x, y)) > 0;
            const bool inB = b.valid(x, y) && qGray(b.pixel(x, y)) > 0;
            differing += inA != inB;
        }
    return differing;
}

} // namespace

bool cellShowsLeftToRight(QTableView* grid, const QModelIndex& index) {
    QWidget* window = grid->window();
    QCoreApplication::processEvents();
    const QImage picture = window->screen()->grabWindow(window->winId()).toImage();
    const QRect cell =
        grid->visualRect(index).translated(grid->viewport()->mapTo(window, QPoint()));
    const QImage shown = inkOf(picture.copy(cell.adjusted(2, 2, -2, -2)));
    const QString text = index.data().toString();
    return differingPixels(shown, inkOf(drawnText(text, grid->font(), Qt::LeftToRight))) <
           differingPixels(shown, inkOf(drawnText(text, grid->font(), Qt::RightToLeft)));
}
