#include "reports/preparereport.h"

#include "reportengine/reportdefinition.h"
#include "reports/letterhead.h"
#include "reports/reportinstances.h"
#include "settings/appsettings.h"

namespace {
void fillLetterhead(ReportControl& control, const AppSettingsRecord& settings) {
    const QString name = control.name.toLower();
    for (const LetterheadLabel& line : kLetterheadLabels)
        if (name == settingName(line.line))
            control.caption = settingIn(settings, line.line);
}
} // namespace

void PrepareReport(Report& report, const AppSettingsRecord& settings) {
    report.useSideMargins();
    for (ReportSection& section : report.sections)
        for (ReportControl& control : section.controls)
            if (control.typeName() == "RptLabel") {
                control.canGrow = true;
                fillLetterhead(control, settings);
            }
}

Report& preparedReport(const QString& name, const AppSettingsRecord& settings) {
    Report& report = reportByName(name);
    PrepareReport(report, settings);
    return report;
}
