#include "reportruns.h"

#include "db/connection.h"
#include "db/rowsource.h"
#include "reports/lazyreport.h"
#include "reports/reportlayout.h"
#include "reports/reportoutput.h"
#include "reports/reportregistry.h"
#include "settings/appsettings.h"

ReportRun periodReport(const QString& report, const QString& column, const QString& period) {
    return {report, "select * from pt_sh where " + column + " = ?", {period}};
}

ReportRun invoicesReport(qint64 rows) {
    return {"rep_year", "select * from pt_sh where po_num <= ?", {rows}};
}

LaidOutReport layOut(const ReportRun& run) {
    const QSqlDatabase db = openDatabase(AppSettings().databaseFilePath);
    QueryRows rows(db, run.query, run.values);
    return layoutReport(reportByName(run.report), rows);
}

int writePdf(const ReportRun& run, const QString& path) {
    const QSqlDatabase db = openDatabase(AppSettings().databaseFilePath);
    QueryRows rows(db, run.query, run.values);
    LazyReport pages(reportByName(run.report), rows);
    savePdf(pages, path);
    return pages.pageCount();
}
