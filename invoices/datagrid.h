#pragma once

#include "binding/recordsourcemodel.h"

class DataSource;
class QTableView;
class QWidget;

// A read-only grid over a data source's records, showing the given fields under their captions.
// Rows are fetched as the grid scrolls.
QTableView* makeDataGrid(QWidget* parent, const QString& name, const QString& spokenName,
                         DataSource* source, const QVector<RecordSourceModel::Column>& columns);

// Keeps the grid's row on the data source's current record, and makes the row the user chooses
// the current record.
void followCurrentRecord(QTableView* grid, DataSource* source);
