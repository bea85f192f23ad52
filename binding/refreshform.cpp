#include "binding/refreshform.h"

#include "binding/datacontrols.h"
#include "binding/datasource.h"
#include "core/failures.h"

#include <QWidget>

namespace {

constexpr auto kLabel = "error in (RefreshForm) : ";

void rebind(QWidget* screen, const QString& database) {
    for (DataSource* source : dataControlsOf(screen)) {
        logged(kLabel, [&] {
            source->setDatabaseName(database);
            if (source->rebinding() == DataSource::Rebinding::OnActivation)
                source->setRecordSource(source->defaultRecordSource());
        });
    }
}

} // namespace

void RefreshForm(QWidget* screen, const QString& databasePath) {
    if (!screen)
        return;
    rebind(screen, databasePath);
    for (DataSource* source : screen->findChildren<DataSource*>())
        logged(kLabel, [&] { source->refresh(); });
}
