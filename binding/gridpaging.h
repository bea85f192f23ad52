#pragma once

class QTableView;

// Makes the grid's data source read, when it opens, only the records that the grid shows at
// once; the grid reads the others where it is scrolled to. The grid's model must be a data
// source's.
void pageByScreenful(QTableView* grid);
