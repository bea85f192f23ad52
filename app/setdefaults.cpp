#include "app/setdefaults.h"

#include "app/letterheadpanel.h"
#include "binding/datacontrols.h"
#include "binding/datasource.h"
#include "core/failures.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"
#include "screens/screens.h"
#include "settings/appsettings.h"

#include <QWidget>

namespace {

constexpr auto kLabel = "error (SetDefaults) : ";

// Applies one operation to every data control in order, creating hidden the screens that do not
// exist yet; a control that fails is logged and the next one taken.
template <typename Operation> void forEachDataControl(Operation operation) {
    for (const Screen which : allScreens())
        // A program without this screen has nothing to bind for it.
        if (QWidget* screen = Screens::get(which))
            for (DataSource* source : dataControlsOf(screen))
                logged(kLabel, [&] { operation(*source); });
}

void giveScreensTheMainIcon() {
    QWidget* main = Screens::get(Screen::Main);
    if (!main)
        return;
    for (const Screen which : allScreens())
        if (QWidget* screen = Screens::get(which); screen && screen != main)
            screen->setWindowIcon(main->windowIcon());
}

void writeLetterheadIntoMainWindow(const Letterhead& l) {
    if (QWidget* main = Screens::get(Screen::Main))
        if (auto* panel = main->findChild<LetterheadPanel*>())
            panel->showLetterhead(l);
}

void prepareReports(const AppSettingsRecord& settings) {
    for (const char* name : {"per_inf_rep", "rep_year", "rep_mon", "rep_day", "po_rep"})
        logged(kLabel, [&] { PrepareReport(reportByName(name), settings); });
}

} // namespace

void SetDefaults(const AppSettingsRecord& settings) {
    prepareReports(settings);
    const QString database = settings.databaseLocation();
    forEachDataControl([&](DataSource& source) { source.setDatabaseName(database); });
    forEachDataControl(
        [](DataSource& source) { source.setRecordSource(source.defaultRecordSource()); });
    forEachDataControl([](DataSource& source) { source.refresh(); });
    logged(kLabel, giveScreensTheMainIcon);
    logged(kLabel, [&] { writeLetterheadIntoMainWindow(settings.letterhead); });
}
