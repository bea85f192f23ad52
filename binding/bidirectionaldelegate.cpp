#include "binding/bidirectionaldelegate.h"

#include "core/isolatedtext.h"

void BidirectionalDelegate::initStyleOption(QStyleOptionViewItem* option,
                                            const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->text.isRightToLeft())
        option->direction = Qt::RightToLeft;
    if (option->direction == Qt::RightToLeft)
        option->text = markedForRightToLeft(option->text);
}
