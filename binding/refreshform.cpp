#include "binding/refreshform.h"

#include "binding/datacontrols.h"
#include "binding/datasource.h"
#include "core/failures.h"
#include "settings/appsettings.h"

#include <QWidget>

namespace {

constexpr auto kLabel = "error in (RefreshForm) : ";

void rebind(QWidget* screen) {
    const QString database = AppSettings().databaseFilePath;
    for (DataSource* source : dataControlsOf(screen)) {
        logged(kLabel, [&] {
            source->setConnect(QString());
            source->setDatabaseName(database);
            if (source->rebinding() == DataSource::Rebinding::OnActivation)
                source->setRecordSource(source->defaultRecordSource());
        });
    }
}

} // namespace

void RefreshForm(QWidget* screen) {
    if (!screen)
        return;
    rebind(screen);
    for (DataSource* source : screen->findChildren<DataSource*>())
        logged(kLabel, [&] { source->refresh(); });
}
