#pragma once

#include "binding/recordsourcemodel.h"

class DataSource;
class Progress;
class QTableView;

// Lists to the accountant: every record of a list, not only the rows a grid has fetched, read a
// page at a time so that memory does not grow with the list, as CSV (see core/csvfile.h) under
// the captions the grid shows. Amounts are written as the whole numbers stored, dates as the
// text stored.

// Writes the records of the definition on the database file; true when written, false when the
// user cancelled, which leaves no file. A failure raises AppError and leaves no file either.
bool exportRecords(const QString& databasePath, const RecordSourceDefinition& definition,
                   const QVector<RecordSourceModel::Column>& columns, const QString& path,
                   Progress& progress);

// Gives the grid a context menu with "Export to CSV...", which asks where to save the whole list
// of its data source, under the suggested file name.
void offerCsvExport(QTableView* grid, DataSource* source, const QString& fileName);
