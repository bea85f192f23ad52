#include "patients/bidirectionaldelegate.h"

void BidirectionalDelegate::initStyleOption(QStyleOptionViewItem* option,
                                            const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->text.isRightToLeft())
        option->direction = Qt::RightToLeft;
}
