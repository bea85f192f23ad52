#include "patients/patientreports.h"

#include "db/reportrows.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"
#include "reports/reportoutput.h"
#include "settings/appsettings.h"

void printPatientSheet(const QString& fileNumber) {
    const auto rows = patientSheetRows(AppSettings().databaseFilePath, fileNumber);
    printReport(reportByName("per_inf_rep"), *rows);
}

void previewNationalityCount(QWidget* parent) {
    const auto readRows = [path = AppSettings().databaseFilePath] {
        return nationalityCountRows(path);
    };
    const auto rows = readRows();
    Report& report = reportByName("countbynationality");
    PrepareReport(report);
    previewReport(report, *rows, parent, readRows);
}
