#pragma once

#include <QList>

class DataSource;
class QWidget;

// The screen's data controls, which the program binds to the current database: its data sources
// that have a default record source, in the order of their names.
QList<DataSource*> dataControlsOf(const QWidget* screen);
