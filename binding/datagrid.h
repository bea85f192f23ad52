#pragma once

#include "binding/recordsourcemodel.h"

class DataSource;
class QTableView;
class QWidget;

enum class GridEditing { ReadOnly, RowByRow };

// A grid over a data source's records, showing the given fields under their captions. Rows are
// fetched as the grid scrolls. An editable grid writes a row's edits when the user leaves it.
// Its context menu exports the whole list as CSV, named after the grid's spoken name.
QTableView* makeDataGrid(QWidget* parent, const QString& name, const QString& spokenName,
                         DataSource* source, const QVector<RecordSourceModel::Column>& columns,
                         GridEditing editing = GridEditing::ReadOnly);

// Keeps the grid's row on the data source's current record, and makes the row the user chooses
// the current record.
void followCurrentRecord(QTableView* grid, DataSource* source);
