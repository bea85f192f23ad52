#include "screens/releasedb.h"

#include "binding/datacontrols.h"
#include "binding/datasource.h"
#include "core/apperror.h"
#include "db/engine/connection.h"
#include "screens/screens.h"

#include <QWidget>

namespace {

template <typename Step> void skipFailure(Step step) {
    try {
        step();
    } catch (const AppError&) {
    }
}

} // namespace

void ReleaseDB() {
    for (QWidget* screen : Screens::loaded()) {
        for (DataSource* source : screen->findChildren<DataSource*>()) {
            skipFailure([&] {
                source->setDatabaseName(QString());
                source->close();
            });
        }
    }
    for (const Screen which : allScreens())
        if (QWidget* screen = Screens::existing(which))
            for (DataSource* source : dataControlsOf(screen))
                skipFailure([&] { source->setRecordSource(QString()); });
    closeAllDatabases();
}
