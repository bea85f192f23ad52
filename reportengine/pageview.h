#pragma once

#include "reportengine/pages.h"

#include <QAbstractScrollArea>
#include <functional>

class PagePainter;

// The pages of a report one under another, as on a desk, scrolled through and zoomed. Only the
// pages in sight are painted, each from its laid-out page when it comes into sight; pages may be
// added while the view is shown.
class PageView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    using PageSource = std::function<Page(int index)>;

    PageView(const PagePainter& painter, PageSource pages, QWidget* parent = nullptr);

    int pageCount() const { return pageCount_; }
    void setPageCount(int count);
    // Counted from 1: the page at the top of the view.
    int currentPage() const { return currentPage_; }
    void setCurrentPage(int page);

    void zoomIn();
    void zoomOut();
    void fitToWidth();
    // Screen pixels for a twip of the paper.
    qreal scale() const;

  signals:
    void currentPageChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    QSize pageSize() const;
    int pageTop(int index) const;
    void updateScrollBars();
    void zoomBy(qreal factor);
    void paintPage(QPainter& painter, int index, const QPoint& origin);

    const PagePainter& painter_;
    PageSource pages_;
    int pageCount_ = 0;
    int currentPage_ = 0;
    // Relative to the paper's real size; none while the pages fit the width of the view.
    std::optional<qreal> zoom_;
    bool scrolling_ = false;
};
