#include "paymentsupgrade.h"

#include "bareengine.h"

#include "db/connection.h"
#include "db/paymentsupgrade.h"

#include <QElapsedTimer>

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
