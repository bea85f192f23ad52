#include "patients/patientreports.h"

#include "db/connection.h"
#include "reports/preparereport.h"
#include "reports/reportoutput.h"
#include "reports/reportregistry.h"
#include "reports/rowsource.h"
#include "settings/appsettings.h"

void withReportRows(const QString& sql, const QVariantList& values,
                    const std::function<void(RowSource&)>& work) {
    ScopedDatabase database(pathFromConnectionString(AppSettings().connectionString));
    QueryRows rows(database.db(), sql, values);
    work(rows);
}

void printPatientSheet(const QString& fileNumber) {
    withReportRows(kPatientSheetQuery, {fileNumber},
                   [](RowSource& rows) { printReport(reportByName("per_inf_rep"), rows); });
}

void previewNationalityCount(QWidget* parent) {
    withReportRows(kNationalityCountQuery, {}, [parent](RowSource& rows) {
        Report& report = reportByName("countbynationality");
        PrepareReport(report);
        previewReport(report, rows, parent);
    });
}
