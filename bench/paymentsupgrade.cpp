#include "paymentsupgrade.h"

#include "bareengine.h"
#include "benchdialogs.h"

#include "db/engine/rowsource.h"
#include "reportengine/lazyreport.h"
#include "reportengine/reportoutput.h"
#include "reports/reportinstances.h"

#include "db/clinic/paymentreports.h"
#include "db/engine/connection.h"
#include "db/upkeep/paymentsupgrade.h"

#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <functional>
#include <memory>

PaymentsUpgradeRun timePaymentsUpgrade(const QString& databasePath) {
    {
        BareEngine engine(databasePath);
        engine.run("drop table if exists payments");
        engine.run("drop table if exists invoice_kinds");
    }
    PaymentsUpgradeRun run;
    QElapsedTimer timer;
    timer.start();
    {
        ScopedDatabase database(databasePath);
        addPaymentTables(database.db(), false);
    }
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    BareEngine engine(databasePath);
    run.payments = engine.number("select count(*) from payments");
    run.paid = QString::number(engine.number("select sum(amount) from payments"));
    run.owed = QString::number(engine.number("select sum(po_pri - po_netd) from pt_sh"));
    return run;
}

namespace {
int readWhole(RowSource& rows) {
    int count = 0;
    while (rows.next()) {
        for (int i = 0; i < rows.columns().size(); ++i)
            rows.value(i);
        ++count;
    }
    return count;
}

void timeRows(const char* what, const std::function<std::unique_ptr<RowSource>()>& open) {
    QElapsedTimer timer;
    timer.start();
    const auto rows = open();
    const int count = readWhole(*rows);
    std::printf("%s: %d rows in %.1f ms\n", what, count, timer.nsecsElapsed() / 1e6);
}
} // namespace

void timeMoneyReports(const QString& databasePath) {
    QString year;
    QString day;
    QString patient;
    {
        BareEngine engine(databasePath);
        const auto last = engine.texts("select max(pay_day) from payments", {}, 1);
        day = last.value(0).value(0);
        year = day.left(4);
        day = day.mid(8, 2) + "/" + day.mid(5, 2) + "/" + year;
        patient = engine
                      .texts("select file_num from pt_sh group by file_num order by count(*) "
                             "desc limit 1",
                             {}, 1)
                      .value(0)
                      .value(0);
    }
    closeAllDatabases();
    for (int run = 0; run < 2; ++run) {
        timeRows(qPrintable("cash book of the year " + year),
                 [&] { return cashBookRows(databasePath, ReportPeriod::Year, year); });
        timeRows(qPrintable("cash book of the day " + day),
                 [&] { return cashBookRows(databasePath, ReportPeriod::Day, day); });
        timeRows(qPrintable("statement of file " + patient),
                 [&] { return statementRows(databasePath, patient); });
    }
    // The year's cash book laid out to its end and written as a PDF, as the preview's export
    // writes it; the benchmark's user answers whatever it would ask.
    BenchDialogs answers;
    setDialogs(&answers);
    QElapsedTimer timer;
    timer.start();
    const auto rows = cashBookRows(databasePath, ReportPeriod::Year, year);
    LazyReport pages(reportByName("cashbook"), *rows);
    const QString pdf = databasePath + ".cashbook.pdf";
    savePdf(pages, pdf);
    std::printf("cash book of the year %s as a PDF: %d pages in %.1f s\n", qPrintable(year),
                pages.pageCount(), timer.nsecsElapsed() / 1e9);
    QFile::remove(pdf);
    setDialogs(nullptr);
    closeAllDatabases();
}
