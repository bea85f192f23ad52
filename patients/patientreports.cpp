#include "patients/patientreports.h"

#include "db/clinic/reportrows.h"
#include "reportengine/reportoutput.h"
#include "reports/preparereport.h"
#include "settings/appsettings.h"

void printPatientSheet(const AppSettingsRecord& settings, const QString& fileNumber) {
    const auto rows = patientSheetRows(settings.databaseLocation(), fileNumber);
    printOrSavePdf(preparedReport("per_inf_rep", settings), *rows);
}

void previewNationalityCount(const AppSettingsRecord& settings, QWidget* parent) {
    const auto readRows = [path = settings.databaseLocation()] {
        return nationalityCountRows(path);
    };
    const auto rows = readRows();
    previewReport(preparedReport("countbynationality", settings), *rows, parent, readRows);
}
