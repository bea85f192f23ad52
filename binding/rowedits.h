#pragma once

class QTableView;

// Writes the cells edited in a row of the grid together, when the grid leaves the row. A row
// that the database refuses stays current with what was typed. The grid's model must be a data
// source's.
void writeRowEditsOnLeavingRow(QTableView* grid);
