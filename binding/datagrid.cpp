#include "binding/datagrid.h"

#include "binding/bidirectionaldelegate.h"
#include "binding/csvexport.h"
#include "binding/datasource.h"
#include "binding/gridpaging.h"
#include "binding/rowedits.h"
#include "core/failures.h"

#include <QHeaderView>
#include <QTableView>

QTableView* makeDataGrid(QWidget* parent, const QString& name, const QString& spokenName,
                         DataSource* source, const QVector<RecordSourceModel::Column>& columns,
                         GridEditing editing) {
    auto* grid = new QTableView(parent);
    grid->setObjectName(name);
    grid->setAccessibleName(spokenName);
    RecordSourceModel* model = source->model();
    model->setColumns(columns);
    model->setEditable(editing == GridEditing::RowByRow);
    grid->setModel(model);
    grid->setItemDelegate(new BidirectionalDelegate(grid));
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    if (editing == GridEditing::ReadOnly)
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    else
        writeRowEditsOnLeavingRow(grid);
    grid->setAlternatingRowColors(true);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->horizontalHeader()->setStretchLastSection(true);
    pageByScreenful(grid);
    offerCsvExport(grid, source, spokenName);
    return grid;
}

void followCurrentRecord(QTableView* grid, DataSource* source) {
    QObject::connect(source, &DataSource::currentChanged, grid, [grid, source] {
        const int row = source->fetchCurrentRow();
        if (row < 0)
            grid->setCurrentIndex(QModelIndex());
        else if (row != grid->currentIndex().row())
            grid->setCurrentIndex(grid->model()->index(row, 0));
    });
    // Rows let go of or read again around the grid move its row without the user.
    QObject::connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, source,
                     [source](const QModelIndex& current) {
                         if (current.isValid() && !source->model()->isShifting() &&
                             current.row() != source->currentRow())
                             reported([&] { source->moveToRow(current.row()); });
                     });
}
