#include "screenscans.h"

#include "operations.h"
#include "programsession.h"
#include "scanwatch.h"
#include "scoreboard.h"

#include "db/engine/connection.h"

#include <QSqlDriver>
#include <memory>
#include <sqlite3.h>

namespace {

// A statement that steps through this many rows of a table has read much more than a screen
// needs; the tables here hold hundreds of thousands.
constexpr long kWideScanRows = 10000;

sqlite3* engineHandle(const QSqlDatabase& db) {
    const QVariant handle = db.driver()->handle();
    return *static_cast<sqlite3* const*>(handle.data());
}

} // namespace

void scoreScreenScans(Scoreboard& board, const BenchSetup& setup) {
    ProgramSession session(setup.workDir);
    // The screens read through the program's one connection to the file, watched from before
    // start-up on.
    auto watch = std::make_unique<ScanWatch>(engineHandle(openDatabase(setup.databasePath())));
    auto score = [&](const QString& what) {
        const ScanWatch::Widest widest = watch->take();
        const QString rows = QString::number(widest.rows) + (widest.rows == 1 ? " row" : " rows");
        board.add({"Widest table scan: " + what, rows, widest.statement.left(60), "",
                   "< " + QString::number(kWideScanRows) + " rows", widest.rows < kWideScanRows});
    };
    if (!session.start())
        return;
    score("start-up");
    const std::pair<Screen, const char*> screens[] = {
        {Screen::PatientFile, "patient file"},       {Screen::PatientSearch, "patient search"},
        {Screen::Catalog, "procedure catalog"},      {Screen::InvoiceList, "invoice list"},
        {Screen::PeriodicReports, "reports dialog"}, {Screen::OpenFile, "open-file dialog"}};
    for (const auto& [name, what] : screens) {
        session.dialogs.answerNextInputWith("1");
        session.open(name);
        score(what);
        session.close(name);
        watch->take();
    }
    composeTenLineInvoice(session, "1");
    score("invoice screen");
    // The watch goes before the connection that it watches.
    watch.reset();
}
