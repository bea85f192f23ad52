#include "binding/gridpaging.h"

#include "binding/recordsourcemodel.h"

#include <QEvent>
#include <QHeaderView>
#include <QTableView>

namespace {

// Follows the grid's height: a resized grid shows more or fewer rows.
class ScreenfulWatch : public QObject {
  public:
    ScreenfulWatch(QTableView* grid, RecordSourceModel* model)
        : QObject(grid), grid_(grid), model_(model) {}

    void update() {
        const int rowHeight = std::max(1, grid_->verticalHeader()->defaultSectionSize());
        // The rows shown, a partly shown one among them, and one below: a grid whose last row
        // is in sight asks for the next page at once.
        model_->setFirstPageSize(grid_->viewport()->height() / rowHeight + 2);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize)
            update();
        return QObject::eventFilter(watched, event);
    }

  private:
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
    watch->update();
}
