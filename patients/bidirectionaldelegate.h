#pragma once

#include <QStyledItemDelegate>

// Draws a cell whose text is Arabic (or another right-to-left script) from the right, in its
// own reading direction; other cells are drawn as the grid draws them.
class BidirectionalDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
