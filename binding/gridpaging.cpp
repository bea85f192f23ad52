#include "binding/gridpaging.h"

#include "binding/recordsourcemodel.h"

#include "core/failures.h"

#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>

namespace {

// Follows the grid's height (a resized grid shows more or fewer rows) and whether it is seen: a
// hidden grid's list is not counted, so that screens made ahead cost nothing while idle.
class ScreenfulWatch : public QObject {
  public:
    ScreenfulWatch(QTableView* grid, RecordSourceModel* model)
        : QObject(grid), grid_(grid), model_(model) {
        model->setCountingWhenIdle(grid->isVisible());
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
    // in the column the user is in; the end is the list's, counted to it where need be.
    bool goToEitherEnd(const QKeyEvent* key) {
        const bool toEnd = key->key() == Qt::Key_End;
        if ((!toEnd && key->key() != Qt::Key_Home) || key->modifiers() != Qt::ControlModifier)
            return false;
        if (toEnd && !reported([&] { model_->countAll(); }))
            return true;
        const int row = toEnd ? model_->rowCount() - 1 : 0;
        const int column = std::max(0, grid_->currentIndex().column());
        if (row >= 0)
            grid_->setCurrentIndex(model_->index(row, column));
        return true;
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
