#include "db/upkeep/paymentsupgrade.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "db/clinic/payments.h"
#include "db/engine/connection.h"
#include "db/engine/enginestatements.h"
#include "db/engine/statements.h"

#include <QCoreApplication>
#include <sqlite3.h>

namespace {

constexpr auto kStepText =
    QT_TRANSLATE_NOOP("Database", "Recording the payments of the invoices already saved");

// The invoice's date text "DD/MM/YYYY" as the sortable day "YYYY-MM-DD". A date typed another
// way keeps what can be read of it: its month ("YYYY-MM-00") or its year ("YYYY-00-00"), so
// that its payment still counts in that month's or year's cash book.
const QString kDayOfInvoice =
    "CASE "
    "WHEN po_date GLOB '[0-9][0-9]/[0-9][0-9]/[0-9][0-9][0-9][0-9]' "
    "THEN substr(po_date, 7, 4) || '-' || substr(po_date, 4, 2) || '-' || substr(po_date, 1, 2) "
    "WHEN fmon GLOB '[0-9][0-9]/[0-9][0-9][0-9][0-9]' "
    "THEN substr(fmon, 4, 4) || '-' || substr(fmon, 1, 2) || '-00' "
    "WHEN fyear GLOB '[0-9][0-9][0-9][0-9]' THEN fyear || '-00-00' "
    "ELSE '' END";

const QString kCarryOver =
    "INSERT INTO payments (po_num, file_num, pay_date, pay_day, amount, kind, carried_over) "
    "SELECT po_num, file_num, po_date, " +
    kDayOfInvoice + ", coalesce(po_pri, 0) - coalesce(po_netd, 0), '" + kCarriedOverKind +
    "', 1 FROM pt_sh WHERE coalesce(po_pri, 0) - coalesce(po_netd, 0) <> 0 ORDER BY po_num";

QStringList carryOverStatements() {
    const QStringList created = createPaymentTableStatements();
    // The rows go in before the indexes are built, which is faster than keeping them up to date
    // row by row.
    return {created[0], kCarryOver, created[1], created[2], created[3]};
}

// Exact sums of 64-bit integers on both sides; the engine raises an error on an overflow rather
// than round.
void checkSums(const QSqlDatabase& db) {
    const Row sums =
        Statements(db)
            .rows(
                "SELECT (SELECT coalesce(sum(amount), 0) FROM payments), "
                "(SELECT coalesce(sum(coalesce(po_pri, 0) - coalesce(po_netd, 0)), 0) FROM pt_sh)")
            .value(0);
    const QString paid = sums.value(0).toString();
    const QString owed = sums.value(1).toString();
    if (paid != owed)
        throw AppError(ErrorNumber::Unexpected,
                       "The payments carried over (" + paid +
                           ") do not add up to the invoices' totals less their net dues (" + owed +
                           "). The database was left as it was.");
}

// Called by the engine every so many steps, so that the window stays alive through millions of
// rows. The work is not stopped by the window's button: a file without its payment tables could
// not save an invoice.
struct Watch {
    Progress* progress;
    int done = 0;
    int total = 0;
};

int watchStep(void* context) {
    auto* watch = static_cast<Watch*>(context);
    watch->progress->advance(QCoreApplication::translate("Database", kStepText), watch->done,
                             watch->total);
    return 0;
}

} // namespace

void createPaymentTables(const QSqlDatabase& db) {
    Statements statements(db);
    for (const QString& statement : createPaymentTableStatements())
        statements.runOnce(statement);
}

void addPaymentTables(QSqlDatabase& db, bool showProgress) {
    if (hasPaymentTables(db))
        return;
    const QStringList statements = carryOverStatements();
    const auto progress =
        showProgress ? dialogs().progress(nullptr, QCoreApplication::applicationName()) : nullptr;
    Watch watch{progress.get(), 0, int(statements.size())};
    sqlite3* handle = engineHandle(db);
    if (progress)
        sqlite3_progress_handler(handle, 100000, watchStep, &watch);
    try {
        inTransaction(db, [&] {
            Statements run(db);
            for (const QString& statement : statements) {
                run.runOnce(statement);
                ++watch.done;
                if (progress)
                    progress->advance(QCoreApplication::translate("Database", kStepText),
                                      watch.done, watch.total);
            }
            checkSums(db);
        });
    } catch (...) {
        sqlite3_progress_handler(handle, 0, nullptr, nullptr);
        throw;
    }
    sqlite3_progress_handler(handle, 0, nullptr, nullptr);
}
