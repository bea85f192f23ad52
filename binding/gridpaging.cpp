#include "binding/gridpaging.h"

#include "binding/recordsourcemodel.h"

#include "core/failures.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTableView>

namespace {

// Follows the grid's height (a resized grid shows more or fewer rows) and whether it is seen: a
// hidden grid's list is not counted, so that screens made ahead cost nothing while idle.
class ScreenfulWatch : public QObject {
  public:
    ScreenfulWatch(QTableView* grid, RecordSourceModel* model)
        : QObject(grid), grid_(grid), model_(model) {
        model->setCountingWhenIdle(grid->isVisible());
        // Rows counted in above those in sight (the list's end, read before the count reached
        // it) leave the rows in sight where they are.
        connect(model, &QAbstractItemModel::rowsAboutToBeInserted, this,
                [this](const QModelIndex&, int first) {
                    const int top = grid_->rowAt(0);
                    keptAt_ = top >= 0 && first <= top ? grid_->verticalScrollBar()->value() : -1;
                });
        connect(model, &QAbstractItemModel::rowsInserted, this,
                [this](const QModelIndex&, int first, int last) {
                    if (keptAt_ < 0)
                        return;
                    const bool byRow =
                        grid_->verticalScrollMode() == QAbstractItemView::ScrollPerItem;
                    const int rowHeight = grid_->verticalHeader()->defaultSectionSize();
                    grid_->doItemsLayout();
                    grid_->verticalScrollBar()->setValue(keptAt_ + (last - first + 1) *
                                                                       (byRow ? 1 : rowHeight));
                });
    }

    void update() {
        const int rowHeight = std::max(1, grid_->verticalHeader()->defaultSectionSize());
        // The rows shown, a partly shown one among them, and one below.
        model_->setFirstPageSize(grid_->viewport()->height() / rowHeight + 2);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched == grid_->viewport())
            update();
        if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched == grid_)
            model_->setCountingWhenIdle(event->type() == QEvent::Show);
        if (event->type() == QEvent::KeyPress && watched == grid_)
            return goToEitherEnd(static_cast<QKeyEvent*>(event));
        return QObject::eventFilter(watched, event);
    }

  private:
    // Ctrl+End and Ctrl+Home go to the list's last or first record at once, as in any list,
    // in the column the user is in; the end is the list's, read where it is not counted yet.
    bool goToEitherEnd(const QKeyEvent* key) {
        const bool toEnd = key->key() == Qt::Key_End;
        if ((!toEnd && key->key() != Qt::Key_Home) || key->modifiers() != Qt::ControlModifier)
            return false;
        if (toEnd && !reported([&] { model_->readEnd(); }))
            return true;
        const int row = toEnd ? model_->rowCount() - 1 : 0;
        const int column = std::max(0, grid_->currentIndex().column());
        if (row >= 0)
            grid_->setCurrentIndex(model_->index(row, column));
        return true;
    }

    QTableView* grid_;
    RecordSourceModel* model_;
    // Where the grid was scrolled to while rows go in above those in sight, else -1.
    int keptAt_ = -1;
};

} // namespace

void pageByScreenful(QTableView* grid) {
    auto* model = qobject_cast<RecordSourceModel*>(grid->model());
    if (!model)
        return;
    auto* watch = new ScreenfulWatch(grid, model);
    grid->viewport()->installEventFilter(watch);
    grid->installEventFilter(watch);
    watch->update();
}
