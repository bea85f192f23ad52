#include "binding/rowedits.h"

#include "binding/recordsourcemodel.h"

#include <QMetaObject>
#include <QTableView>

void writeRowEditsOnLeavingRow(QTableView* grid) {
    auto* model = qobject_cast<RecordSourceModel*>(grid->model());
    if (!model)
        return;
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, grid,
                     [grid, model](const QModelIndex&, const QModelIndex& previous) {
                         if (!model->isEditedRow(previous.row()) || model->writeEditedRow())
                             return;
                         // Back to the refused row once the grid has finished moving.
                         const QPersistentModelIndex back(previous);
                         QMetaObject::invokeMethod(
                             grid, [grid, back] { grid->setCurrentIndex(back); },
                             Qt::QueuedConnection);
                     });
}
