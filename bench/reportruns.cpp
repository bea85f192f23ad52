#include "reportruns.h"

#include "app/runsettings.h"
#include "db/engine/connection.h"
#include "db/engine/statements.h"
#include "reportengine/lazyreport.h"
#include "reportengine/reportlayout.h"
#include "reportengine/reportoutput.h"
#include "reports/reportinstances.h"

ReportRun periodReport(const QString& report, ReportPeriod period, const QString& text) {
    return {report, [period, text] {
                return periodInvoiceRows(AppSettings().databaseLocation(), period, text);
            }};
}

// No screen asks for a number of invoices: the benchmark's own query makes a report of any size.
ReportRun invoicesReport(qint64 rows) {
    return {"rep_year", [rows]() -> std::unique_ptr<RowSource> {
                return Statements(openDatabase(AppSettings().databaseLocation()))
                    .stream("select * from pt_sh where po_num <= ?", {rows});
            }};
}

LaidOutReport layOut(const ReportRun& run) {
    const auto rows = run.rows();
    return layoutReport(reportByName(run.report), *rows);
}

void layOutFirstPage(const ReportRun& run) {
    const auto rows = run.rows();
    LazyReport(reportByName(run.report), *rows).layOutTo(1);
}

int writePdf(const ReportRun& run, const QString& path) {
    const auto rows = run.rows();
    LazyReport pages(reportByName(run.report), *rows);
    savePdf(pages, path);
    return pages.pageCount();
}
