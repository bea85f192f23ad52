#pragma once

class QString;
class QWidget;

// Binds the data sources of one screen to the current database again and re-reads them; a screen
// calls it whenever it is shown. Failures are logged and the next data source is taken.
void RefreshForm(QWidget* screen, const QString& databasePath);
