#include "reportengine/pageview.h"

#include "core/apperror.h"
#include "reportengine/pagepainter.h"
#include "reportengine/reportdefinition.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace {

// Pixels between the pages and around them.
constexpr int kGap = 12;
constexpr qreal kZoomStep = 1.25;
constexpr qreal kSmallest = 0.1;
constexpr qreal kLargest = 8;

} // namespace

PageView::PageView(const PagePainter& painter, PageSource pages, QWidget* parent)
    : QAbstractScrollArea(parent), painter_(painter), pages_(std::move(pages)) {
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    // A scroll bar that came and went would change the width that the pages fit.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
}

qreal PageView::scale() const {
    if (zoom_)
        return *zoom_ * logicalDpiX() / 1440.0;
    const int room = std::max(viewport()->width() - 2 * kGap, 100);
    return room / qreal(kPageSizeTwips.width());
}

QSize PageView::pageSize() const {
    return (QSizeF(kPageSizeTwips) * scale()).toSize();
}

int PageView::pageTop(int index) const {
    return kGap + index * (pageSize().height() + kGap);
}

void PageView::updateScrollBars() {
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, pageTop(pageCount_) - viewport()->height()));
    vertical->setPageStep(viewport()->height());
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, pageSize().width() + 2 * kGap - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
}

void PageView::setPageCount(int count) {
    if (count == pageCount_)
        return;
    const bool newInSight = pageTop(pageCount_) < verticalScrollBar()->value() + height();
    pageCount_ = count;
    updateScrollBars();
    if (currentPage_ == 0 && count > 0)
        setCurrentPage(1);
    if (newInSight)
        viewport()->update();
}

void PageView::setCurrentPage(int page) {
    page = std::clamp(page, std::min(1, pageCount_), pageCount_);
    currentPage_ = page;
    scrolling_ = true;
    verticalScrollBar()->setValue(pageTop(page - 1) - kGap);
    scrolling_ = false;
    emit currentPageChanged();
}

void PageView::scrollContentsBy(int dx, int dy) {
    viewport()->scroll(dx, dy);
    if (scrolling_ || pageCount_ == 0)
        return;
    const QScrollBar* vertical = verticalScrollBar();
    int page = vertical->value() / (pageSize().height() + kGap) + 1;
    // At the end the last page may never reach the top.
    if (vertical->maximum() > 0 && vertical->value() == vertical->maximum())
        page = pageCount_;
    page = std::clamp(page, 1, pageCount_);
    if (page != currentPage_) {
        currentPage_ = page;
        emit currentPageChanged();
    }
}

void PageView::zoomBy(qreal factor) {
    const qreal now = scale() * 1440.0 / logicalDpiX();
    zoom_ = std::clamp(now * factor, kSmallest, kLargest);
    updateScrollBars();
    setCurrentPage(currentPage_);
    viewport()->update();
}

void PageView::zoomIn() {
    zoomBy(kZoomStep);
}

void PageView::zoomOut() {
    zoomBy(1 / kZoomStep);
}

void PageView::fitToWidth() {
    zoom_.reset();
    updateScrollBars();
    setCurrentPage(currentPage_);
    viewport()->update();
}

void PageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
    if (!zoom_ && currentPage_ > 0)
        setCurrentPage(currentPage_);
}

void PageView::paintPage(QPainter& painter, int index, const QPoint& origin) {
    const QRect paper(origin, pageSize());
    painter.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 80));
    painter.fillRect(paper, Qt::white);
    painter.save();
    painter.setClipRect(paper);
    painter.translate(origin);
    painter.scale(scale(), scale());
    try {
        painter_.paint(painter, pages_(index));
    } catch (const AppError& error) {
        painter.restore();
        painter.drawText(paper, Qt::AlignCenter | Qt::TextWordWrap, error.description());
        return;
    }
    painter.restore();
}

void PageView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QSize page = pageSize();
    const int left =
        std::max(kGap, (viewport()->width() - page.width()) / 2) - horizontalScrollBar()->value();
    const int scrolled = verticalScrollBar()->value();
    const QRect area = event->rect();
    const int first = std::max(0, (scrolled + area.top()) / (page.height() + kGap) - 1);
    for (int index = first; index < pageCount_; ++index) {
        const QPoint origin(left, pageTop(index) - scrolled);
        if (origin.y() > area.bottom())
            break;
        if (origin.y() + page.height() + kGap >= area.top())
            paintPage(painter, index, origin);
    }
}
