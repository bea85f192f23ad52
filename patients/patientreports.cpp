#include "patients/patientreports.h"

#include "db/reportrows.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"
#include "reports/reportoutput.h"
#include "settings/appsettings.h"

void printPatientSheet(const AppSettingsRecord& settings, const QString& fileNumber) {
    const auto rows = patientSheetRows(settings.databaseLocation(), fileNumber);
    printOrSavePdf(reportByName("per_inf_rep"), *rows);
}

void previewNationalityCount(const AppSettingsRecord& settings, QWidget* parent) {
    const auto readRows = [path = settings.databaseLocation()] {
        return nationalityCountRows(path);
    };
    const auto rows = readRows();
    Report& report = reportByName("countbynationality");
    PrepareReport(report, settings);
    previewReport(report, *rows, parent, readRows);
}
