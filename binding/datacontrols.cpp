#include "binding/datacontrols.h"

#include "binding/datasource.h"

#include <QWidget>
#include <algorithm>

QList<DataSource*> dataControlsOf(const QWidget* screen) {
    QList<DataSource*> controls;
    for (DataSource* source : screen->findChildren<DataSource*>())
        if (!source->defaultRecordSource().isEmpty())
            controls << source;
    std::sort(controls.begin(), controls.end(), [](const DataSource* a, const DataSource* b) {
        return a->objectName() < b->objectName();
    });
    return controls;
}
