#include "binding/gridpaging.h"

#include "binding/recordsourcemodel.h"

#include "core/failures.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMetaObject>
#include <QScrollBar>
#include <QTableView>

namespace {

// Follows the grid's height (a resized grid shows more or fewer rows) and its scrolling back to
// the first row kept.
class ScreenfulWatch : public QObject {
  public:
    ScreenfulWatch(QTableView* grid, RecordSourceModel* model)
        : QObject(grid), grid_(grid), model_(model) {
        QScrollBar* bar = grid->verticalScrollBar();
        connect(bar, &QScrollBar::valueChanged, this, [this, bar](int value) {
            if (value == bar->minimum())
                fetchEarlierLater();
        });
        connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this](const QModelIndex& current) {
                    if (current.isValid() && current.row() == 0)
                        fetchEarlierLater();
                });
        connect(model, &RecordSourceModel::rowsShiftedAtTop, this,
                &ScreenfulWatch::keepRowsInPlace);
        // Rows read anew around a far record: the grid must know their extent before it
        // scrolls to that record.
        connect(model, &RecordSourceModel::rowsReadAround, grid, &QTableView::doItemsLayout);
    }

    void update() {
        const int rowHeight = std::max(1, grid_->verticalHeader()->defaultSectionSize());
        // The rows shown, a partly shown one among them, and one below: a grid whose last row
        // is in sight asks for the next page at once.
        model_->setFirstPageSize(grid_->viewport()->height() / rowHeight + 2);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize && watched == grid_->viewport())
            update();
        if (event->type() == QEvent::KeyPress && watched == grid_)
            return goToEitherEnd(static_cast<QKeyEvent*>(event));
        return QObject::eventFilter(watched, event);
    }

  private:
    // Ctrl+End and Ctrl+Home go to the list's last or first record at once, as in any list,
    // however few of its rows the grid holds.
    bool goToEitherEnd(const QKeyEvent* key) {
        const bool toEnd = key->key() == Qt::Key_End;
        if ((!toEnd && key->key() != Qt::Key_Home) || key->modifiers() != Qt::ControlModifier)
            return false;
        if (!reported([&] { toEnd ? model_->readLastRows() : model_->readFirstRows(); }))
            return true;
        const int row = toEnd ? model_->rowCount() - 1 : 0;
        const int column = std::max(0, grid_->currentIndex().column());
        if (row >= 0)
            grid_->setCurrentIndex(model_->index(row, column));
        return true;
    }

    // Once the grid has finished moving: the rows it is laying out must stay where they are.
    void fetchEarlierLater() {
        if (!model_->canFetchEarlier())
            return;
        QMetaObject::invokeMethod(
            this, [this] { model_->fetchEarlier(); }, Qt::QueuedConnection);
    }

    // The rows in sight stay in sight when rows come or go above them.
    void keepRowsInPlace(int rows) {
        QScrollBar* bar = grid_->verticalScrollBar();
        const bool perPixel = grid_->verticalScrollMode() == QAbstractItemView::ScrollPerPixel;
        const int step = perPixel ? grid_->verticalHeader()->defaultSectionSize() : 1;
        if (rows > 0)
            grid_->doItemsLayout(); // the scroll range must hold the new rows first
        bar->setValue(bar->value() + rows * step);
        grid_->viewport()->update();
    }

    QTableView* grid_;
    RecordSourceModel* model_;
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
