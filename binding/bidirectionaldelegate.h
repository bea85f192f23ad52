#pragma once

#include <QStyledItemDelegate>

// Draws a cell whose text is Arabic (or another right-to-left script) from the right, in its
// own reading direction; in a cell drawn from the right, numbers, dates and Latin words keep
// their own order ("-30.00", not "30.00-").
class BidirectionalDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
