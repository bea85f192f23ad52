#include "binding/refreshform.h"

#include "binding/datacontrols.h"
#include "binding/datasource.h"
#include "core/apperror.h"
#include "core/errorlog.h"
#include "settings/appsettings.h"

#include <QWidget>

namespace {

constexpr auto kLabel = "error in (RefreshForm) : ";

template <typename Step> void trapped(Step step) {
    try {
        step();
    } catch (const AppError& error) {
        ErrorLog::write(kLabel, error);
    }
}

// Form5's lines source is bound only by SetDefaults: the invoice list points it at one invoice's
// lines itself.
bool keepsItsRecordSource(const QString& screen, const QString& control) {
    return screen == "form5" && control == "Data3";
}

void rebind(QWidget* screen) {
    const QString name = screen->objectName().toLower();
    const QString database = AppSettings().databaseFilePath;
    for (const DataControl& control : dataControls()) {
        if (QString(control.screen).toLower() != name)
            continue;
        trapped([&] {
            auto* source = screen->findChild<DataSource*>(control.name);
            if (!source)
                throw AppError(ErrorNumber::Unexpected, QString("No data control ") + control.name);
            source->setConnect(QString());
            source->setDatabaseName(database);
            if (!keepsItsRecordSource(name, control.name))
                source->setRecordSource(control.recordSource);
        });
    }
}

} // namespace

void RefreshForm(QWidget* screen) {
    if (!screen)
        return;
    rebind(screen);
    for (DataSource* source : screen->findChildren<DataSource*>())
        trapped([&] { source->refresh(); });
}
