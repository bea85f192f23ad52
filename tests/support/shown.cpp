#include "shown.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QGlyphRun>
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
