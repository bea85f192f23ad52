#include "benchmarks.h"

#include "bareengine.h"
#include "delayproxy.h"
#include "floor.h"
#include "operations.h"
#include "programsession.h"
#include "reportruns.h"
#include "scoreboard.h"

#include "app/runsettings.h"
#include "binding/recordsourcemodel.h"
#include "db/clinic/patientsearch.h"
#include "db/engine/connection.h"
#include "db/engine/recordsources.h"
#include "screens/releasedb.h"
#include "upkeep/compactdb.h"

#include <QFile>
#include <QLineEdit>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QVBoxLayout>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <functional>
#include <unistd.h>

namespace {

using State = benchmark::State;

// Record numbers spread evenly over 1..count, the same in every run.
class Picks {
  public:
    explicit Picks(qint64 count) : count_(std::max<qint64>(count, 1)) {}
    qint64 next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return qint64((state_ >> 33) % quint64(count_)) + 1;
    }

  private:
    qint64 count_;
    quint64 state_ = 42;
};

// The rows that the floor of a "first screenful" reads: what the program's grid showed.
int gSearchScreenful = 20;
int gListScreenful = 20;
// The row at the middle of the list of all invoices, as its grid's scroll bar puts it.
int gMiddleRow = 0;

// The boxes that show a patient file and an invoice found in the invoice list.
constexpr int kPatientBoxes = 29;
constexpr int kInvoiceBoxes = 5;

// Two-letter fragments of family names, taken in turn.
const char* const kSearchFragments[] = {"ha", "al", "ar", "ma"};

double fastest(const std::vector<double>& times) {
    return *std::min_element(times.begin(), times.end());
}

// Long operations, and the look-ups held to plain widgets, are timed as the fastest of a few runs:
// on a shared machine the others are slowed by whatever else ran meanwhile.
void add(const BenchSetup& setup, const std::string& name, void (*body)(State&, const BenchSetup&),
         int iterations = 0, int repetitions = 1) {
    auto* bench = benchmark::RegisterBenchmark(
        name.c_str(), [body, &setup](State& state) { body(state, setup); });
    bench->Unit(benchmark::kMillisecond)->UseRealTime();
    if (setup.quick) {
        iterations = 1;
        repetitions = 1;
    }
    if (iterations > 0)
        bench->Iterations(iterations);
    else
        bench->MinTime(0.5);
    if (repetitions > 1)
        bench->Repetitions(repetitions)
            ->ComputeStatistics(kFastest, fastest)
            ->ReportAggregatesOnly(true);
}

// Lets the disk write out what the setting up wrote, outside the measured time, so that a save
// waits for its own writes only.
void diskSettled(State& state) {
    state.PauseTiming();
    ::sync();
    state.ResumeTiming();
}

// Lets the program draw what the last operation showed, outside the measured time.
void drawn(State& state) {
    state.PauseTiming();
    settle();
    state.ResumeTiming();
}

// The round trips to the server that an action took on the slow link, reported as their average
// per iteration.
template <typename Action> void counted(State& state, const BenchSetup& setup, Action action) {
    const long before = setup.proxy ? setup.proxy->roundTrips() : 0;
    action();
    if (!setup.proxy)
        return;
    benchmark::Counter& trips = state.counters[kRoundTrips];
    trips.value += double(setup.proxy->roundTrips() - before);
    trips.flags = benchmark::Counter::kAvgIterations;
}

// A started program for one benchmark; the time that start-up takes is not counted. A message
// that the program showed on the way means an operation did not do what was measured.
struct Started {
    Started(State& state, const BenchSetup& setup)
        : state(state), session(setup.workDir, setup.server) {
        if (!session.start())
            qFatal("the program did not start on %s", qPrintable(setup.workDir));
    }
    ~Started() {
        const QStringList messages = session.dialogs.takeMessages();
        if (!messages.isEmpty())
            state.SkipWithError(qPrintable("the program said: " + messages.join(" / ")));
    }
    State& state;
    ProgramSession session;
};

// --- look-ups, lists and saving ------------------------------------------------------------------

void programOpenPatient(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    program.session.dialogs.answerNextInputWith("1");
    QWidget* screen = program.session.open(Screen::PatientFile);
    Picks picks(setup.patients);
    for (auto _ : state) {
        counted(state, setup,
                [&] { openPatientFile(program.session, screen, QString::number(picks.next())); });
        drawn(state);
    }
}

void floorOpenPatient(State& state, const BenchSetup& setup) {
    const auto engine = openFloor(setup);
    Picks picks(setup.patients);
    for (auto _ : state)
        engine->read("select * from per_inf_data where file_num = ?",
                     {QString::number(picks.next())}, 1);
}

// Not a floor but what the platform's own widgets add to it: the floor's query, its values put
// into as many plain text boxes as the screen shows, drawn after each run as a screen is.
struct PlainBoxes {
    explicit PlainBoxes(int count) {
        auto* column = new QVBoxLayout(&window);
        for (int i = 0; i < count; ++i)
            column->addWidget(boxes.emplace_back(new QLineEdit(&window)));
        window.show();
        settle();
    }
    // Fills the boxes from `first` on.
    void show(const QStringList& texts, int first = 0) {
        for (int i = first; i < boxes.size(); ++i)
            boxes[i]->setText(texts.value(i - first));
    }
    QWidget window;
    QVector<QLineEdit*> boxes;
};

void plainBoxes(State& state, const char* sql, int boxCount,
                const std::function<QVariant()>& nextValue, const BenchSetup& setup) {
    const auto engine = openFloor(setup);
    PlainBoxes plain(boxCount);
    for (auto _ : state) {
        plain.show(engine->texts(sql, {nextValue()}, 1).value(0));
        drawn(state);
    }
}

void plainBoxesOpenPatient(State& state, const BenchSetup& setup) {
    Picks picks(setup.patients);
    plainBoxes(
        state, "select * from per_inf_data where file_num = ?", kPatientBoxes,
        [&] { return QString::number(picks.next()); }, setup);
}

void programSearch(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    QWidget* screen = program.session.open(Screen::PatientSearch);
    size_t turn = 0;
    for (auto _ : state) {
        counted(state, setup, [&] {
            searchFamilyNames(screen, kSearchFragments[turn++ % std::size(kSearchFragments)]);
        });
        drawn(state);
    }
    gSearchScreenful = screenful(control<QTableView>(screen, "DBGrid1"));
}

void floorSearch(State& state, const BenchSetup& setup) {
    const auto engine = openFloor(setup);
    size_t turn = 0;
    for (auto _ : state) {
        const SearchQuery query = patientSearchQuery(
            SearchField::FamilyName, kSearchFragments[turn++ % std::size(kSearchFragments)],
            setup.location());
        engine->read(query.sql.toUtf8().constData(), query.values, gSearchScreenful);
    }
}

void programPendingList(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    QWidget* screen = program.session.open(Screen::InvoiceList);
    for (auto _ : state) {
        showPendingInvoices(screen);
        drawn(state);
    }
    gListScreenful = screenful(control<QTableView>(screen, "DBGrid1"));
}

void floorPendingList(State& state, const BenchSetup& setup) {
    const auto engine = openFloor(setup);
    for (auto _ : state)
        engine->read(kPendingInvoicesQuery, {}, gListScreenful);
}

// The same for a list: the floor's rows put into a plain grid of the same size, the first row
// made current as the program's list makes it.
void plainGridPendingList(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    const QSize size =
        control<QTableView>(program.session.open(Screen::InvoiceList), "DBGrid1")->size();
    const auto engine = openFloor(setup);
    QStandardItemModel model;
    QTableView grid;
    grid.setModel(&model);
    grid.resize(size);
    grid.show();
    settle();
    for (auto _ : state) {
        model.removeRows(0, model.rowCount());
        for (const QStringList& row : engine->texts(kPendingInvoicesQuery, {}, gListScreenful)) {
            QList<QStandardItem*> items;
            for (const QString& text : row)
                items << new QStandardItem(text);
            model.appendRow(items);
        }
        grid.setCurrentIndex(model.index(0, 0));
        drawn(state);
    }
}

// Where the user jumps to in a list through its grid: its end (Ctrl+End), its middle (the scroll
// bar's handle dragged there) and back to its start (Ctrl+Home), each from where the one before
// left the grid.
enum Jump { kToEnd, kToMiddle, kToStart };

void jump(QTableView* grid, Jump where) {
    if (where == kToEnd)
        scrollToEnd(grid);
    else if (where == kToMiddle)
        dragScrollBarTo(grid, 0.5);
    else
        scrollToStart(grid);
}

// The invoice number in a row of the grid.
int invoiceIn(QTableView* grid, int row) {
    return grid->model()->index(row, 2).data(Qt::EditRole).toInt(); // "Invoice No"
}

// The middle row of the grid's scroll range, where a drag to the middle puts the top row.
int middleRow(QTableView* grid) {
    return grid->verticalScrollBar()->maximum() / 2;
}

// The grid shows the list's last row current and selected, its first, or, at its top, the
// list's own invoice at the middle.
bool jumpedTo(QTableView* grid, Jump where, int invoice) {
    const int row = grid->currentIndex().row();
    const bool selected = grid->selectionModel()->isRowSelected(row, {});
    if (where == kToEnd)
        return selected && row == grid->model()->rowCount() - 1 && invoiceIn(grid, row) == invoice;
    if (where == kToMiddle)
        return grid->rowAt(0) == middleRow(grid) && invoiceIn(grid, grid->rowAt(0)) == invoice;
    return selected && row == 0 && grid->rowAt(0) == 0;
}

// The invoice a jump shows: the list's last one, or the one at a place of the list, read with
// the invoice numbers alone.
int invoiceAt(Floor& engine, bool all, std::optional<int> place) {
    const QByteArray numbers =
        QByteArray(all ? kAllInvoicesQuery : kPendingInvoicesQuery)
            .replace("per_inf_data.file_num,pt_name,po_num,po_date,po_pri,po_netd",
                     "pt_sh.po_num") +
        (place ? "" : " desc") + " limit 1 offset " + QByteArray::number(place.value_or(0));
    return int(engine.number(numbers.constData()));
}

// The list is shown and counted once; each jump starts from the other end (or, for Ctrl+Home,
// from the middle), so that it reads the rows it shows.
template <bool kAll, Jump kWhere> void programListJump(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    QWidget* screen = program.session.open(Screen::InvoiceList);
    auto* grid = control<QTableView>(screen, "DBGrid1");
    kAll ? showAllInvoices(screen) : showPendingInvoices(screen);
    untilCounted(grid);
    if (kWhere == kToMiddle)
        gMiddleRow = middleRow(grid);
    const auto engine = openFloor(setup);
    const int invoice = kWhere == kToStart ? 0
                        : kWhere == kToEnd ? invoiceAt(*engine, kAll, std::nullopt)
                                           : invoiceAt(*engine, kAll, gMiddleRow);
    for (auto _ : state) {
        state.PauseTiming();
        jump(grid, kWhere == kToEnd ? kToStart : kToEnd);
        if (kWhere == kToStart)
            jump(grid, kToMiddle);
        settle();
        state.ResumeTiming();
        jump(grid, kWhere);
        drawn(state);
        if (!jumpedTo(grid, kWhere, invoice))
            state.SkipWithError("the grid did not show the row it jumped to");
    }
}

// One Ctrl+End right after "All" is shown, before the program has counted the list: the list's
// last invoice must show at once, whatever is left to count.
void programEndBeforeCounted(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    QWidget* screen = program.session.open(Screen::InvoiceList);
    auto* grid = control<QTableView>(screen, "DBGrid1");
    const int invoice = invoiceAt(*openFloor(setup), true, std::nullopt);
    for (auto _ : state) {
        state.PauseTiming();
        showPendingInvoices(screen);
        // The user's own click on "All" holds the count back, as input always does; a key that
        // moves nothing stands for it.
        QTest::keyClick(grid, Qt::Key_Shift);
        showAllInvoices(screen);
        settle();
        const bool counted = qobject_cast<RecordSourceModel*>(grid->model())->isCounted();
        state.ResumeTiming();
        scrollToEnd(grid);
        drawn(state);
        if (counted || !jumpedTo(grid, kToEnd, invoice))
            state.SkipWithError("the grid did not show the list's end before it was counted");
    }
}

// "All" on the invoice list, until the program, left idle, has counted its rows: until its
// scroll bar spans the whole list.
void programCountAll(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    QWidget* screen = program.session.open(Screen::InvoiceList);
    auto* grid = control<QTableView>(screen, "DBGrid1");
    for (auto _ : state) {
        showAllInvoices(screen);
        untilCounted(grid);
    }
    state.counters["rows"] = grid->model()->rowCount();
}

// The rows the grid then shows, by the list's order: a screenful from the end by the reversed
// order, or from the start.
template <bool kAll, Jump kWhere> void floorListJump(State& state, const BenchSetup& setup) {
    const auto engine = openFloor(setup);
    const QByteArray query(kAll ? kAllInvoicesQuery : kPendingInvoicesQuery);
    const QByteArray reversed = query + " desc";
    const QByteArray fromMiddle =
        QByteArray(query).replace(" order by", " and pt_sh.po_num >= ? order by");
    const qint64 middle = kWhere == kToMiddle ? invoiceAt(*engine, kAll, gMiddleRow) : 0;
    for (auto _ : state) {
        if (kWhere == kToMiddle)
            engine->read(fromMiddle.constData(), {middle}, gListScreenful);
        else
            engine->read((kWhere == kToEnd ? reversed : query).constData(), {}, gListScreenful);
    }
}

// ">|" on the list's navigation bar, the list shown from its start before each press.
template <bool kAll> void programLastRecord(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    QWidget* screen = program.session.open(Screen::InvoiceList);
    auto* grid = control<QTableView>(screen, "DBGrid1");
    kAll ? showAllInvoices(screen) : showPendingInvoices(screen);
    untilCounted(grid);
    for (auto _ : state) {
        state.PauseTiming();
        scrollToStart(grid);
        settle();
        state.ResumeTiming();
        pressNavigation(screen, "Last record");
        drawn(state);
    }
}

// The last row of the list, by the reversed order.
template <bool kAll> void floorLastRecord(State& state, const BenchSetup& setup) {
    const auto engine = openFloor(setup);
    const QByteArray reversed =
        QByteArray(kAll ? kAllInvoicesQuery : kPendingInvoicesQuery) + " desc";
    for (auto _ : state)
        engine->read(reversed.constData(), {}, 1);
}

// ">" on the list of all invoices, from its first row on.
void programNextRecord(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    QWidget* screen = program.session.open(Screen::InvoiceList);
    showAllInvoices(screen);
    settle();
    for (auto _ : state) {
        pressNavigation(screen, "Next record");
        drawn(state);
    }
}

// The invoice after a given one, by the list's order.
void floorNextRecord(State& state, const BenchSetup& setup) {
    const auto engine = openFloor(setup);
    const QByteArray next =
        QByteArray(kAllInvoicesQuery).replace(" order by", " and pt_sh.po_num > ? order by");
    qint64 number = 0;
    for (auto _ : state)
        engine->read(next.constData(), {++number}, 1);
}

// "Outstanding" and "All" on the invoice list in turn, each showing its first screenful.
void programSwitchList(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    QWidget* screen = program.session.open(Screen::InvoiceList);
    bool pending = false;
    for (auto _ : state) {
        pending = !pending;
        counted(state, setup,
                [&] { pending ? showPendingInvoices(screen) : showAllInvoices(screen); });
        drawn(state);
    }
}

void floorSwitchList(State& state, const BenchSetup& setup) {
    const auto engine = openFloor(setup);
    bool pending = false;
    for (auto _ : state) {
        pending = !pending;
        engine->read(pending ? kPendingInvoicesQuery : kAllInvoicesQuery, {}, gListScreenful);
    }
}

void programFindInvoice(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    QWidget* screen = program.session.open(Screen::InvoiceList);
    untilCounted(control<QTableView>(screen, "DBGrid1"));
    Picks picks(setup.invoices);
    for (auto _ : state) {
        counted(state, setup, [&] { findInvoice(screen, picks.next()); });
        drawn(state);
    }
}

void floorFindInvoice(State& state, const BenchSetup& setup) {
    const auto engine = openFloor(setup);
    Picks picks(setup.invoices);
    for (auto _ : state)
        engine->read("select * from pt_sh where po_num = ?", {picks.next()});
}

// The user's action in plain widgets as well: the number typed into the first box and Enter
// pressed there, the invoice's other values put into the boxes below it. The boxes are set up as
// the screen's are, with Qt's own properties: the date box has Qt's input mask, the amount box
// its length, the patient's number box is disabled.
void plainBoxesFindInvoice(State& state, const BenchSetup& setup) {
    const auto engine = openFloor(setup);
    PlainBoxes plain(kInvoiceBoxes);
    QLineEdit* number = plain.boxes.first();
    number->setObjectName("Text1");
    plain.boxes[1]->setInputMask("00/00/0000; ");
    plain.boxes[2]->setMaxLength(5);
    plain.boxes[4]->setEnabled(false);
    QObject::connect(number, &QLineEdit::returnPressed, [&] {
        const char* sql = "select po_date, po_pri, po_netd, file_num from pt_sh where po_num = ?";
        plain.show(engine->texts(sql, {number->text().toLongLong()}, 1).value(0), 1);
    });
    Picks picks(setup.invoices);
    for (auto _ : state) {
        findInvoice(&plain.window, picks.next());
        drawn(state);
    }
}

void programSaveInvoice(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    Picks picks(setup.patients);
    // The session's first save prepares its statement, kept for the connection's life: one round
    // trip more, once a session.
    QWidget* first = composeTenLineInvoice(program.session, QString::number(picks.next()));
    saveInvoice(first);
    settle();
    leaveInvoice(first);
    for (auto _ : state) {
        state.PauseTiming();
        QWidget* screen = composeTenLineInvoice(program.session, QString::number(picks.next()));
        state.ResumeTiming();
        diskSettled(state);
        QString number;
        counted(state, setup, [&] { number = saveInvoice(screen); });
        state.PauseTiming();
        settle();
        if (number.isEmpty())
            state.SkipWithError("the invoice was not saved");
        leaveInvoice(screen);
        state.ResumeTiming();
    }
}

// The open-file dialog's "OK" for a patient, until the invoice screen is up with its boxes filled;
// the invoice is cancelled before the next.
void programOpenInvoice(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    Picks picks(setup.patients);
    for (auto _ : state) {
        state.PauseTiming();
        QWidget* openFile = choosePatientForInvoice(program.session, QString::number(picks.next()));
        state.ResumeTiming();
        QWidget* invoice = nullptr;
        counted(state, setup, [&] { invoice = openInvoiceScreen(openFile); });
        state.PauseTiming();
        cancelInvoice(invoice);
        state.ResumeTiming();
    }
}

// On the invoice screen, a catalog code looked up as the box is left (kAdd false), or the line's
// "OK" that adds the procedure looked up (kAdd true); ten lines to an invoice, then another.
template <bool kAdd> void programInvoiceLine(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    Picks picks(setup.patients);
    QWidget* invoice = nullptr;
    int line = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (line++ % 10 == 0) {
            if (invoice)
                cancelInvoice(invoice);
            invoice = openInvoiceScreen(
                choosePatientForInvoice(program.session, QString::number(picks.next())));
        }
        if (kAdd)
            lookUpCode(invoice, (line - 1) % 10 + 1);
        state.ResumeTiming();
        counted(state, setup,
                [&] { kAdd ? addLine(invoice) : lookUpCode(invoice, (line - 1) % 10 + 1); });
    }
    cancelInvoice(invoice);
}

// The rows that saving an invoice writes, as the program finds them: the ten lines typed into
// the working table before (not timed), then in one transaction the invoice's header, its lines
// copied from the working table, its kind, the payment taken with it and the numbers in the
// scratch header. The working table is emptied after, as leaving the screen does.
void floorSaveInvoice(State& state, const BenchSetup& setup) {
    const auto engine = openFloor(setup);
    const qint64 scratch = engine->number("insert into inv_rep_data (file_p, invo, dater) values "
                                          "('1', '0', '01/01/2026') returning id");
    Picks picks(setup.patients);
    for (auto _ : state) {
        const QString file = QString::number(picks.next());
        state.PauseTiming();
        for (int line = 1; line <= 10; ++line)
            engine->run("insert into po_desc (descr2, file_p, amount2, code2) values "
                        "('Consultation', ?, 100, ?)",
                        {file, QString("%1").arg(line, 2, 10, QChar('0'))});
        state.ResumeTiming();
        diskSettled(state);
        engine->run("begin");
        const qint64 number = engine->number(
            "insert into pt_sh (file_num, po_date, po_pri, po_netd, fmon, fyear) values "
            "(?, '15/06/2026', 1000, 0, '06/2026', '2026') returning po_num",
            {file});
        engine->run("insert into po_descs (descr2, file_p, amount2, code2, po_num) "
                    "select descr2, file_p, amount2, code2, ? from po_desc order by id",
                    {number});
        engine->run("insert into invoice_kinds (po_num, kind) values (?, 'Cash')", {number});
        engine->run("insert into payments (po_num, file_num, pay_date, pay_day, amount, kind, "
                    "carried_over) values (?, ?, '15/06/2026', '2026-06-15', 1000, 'Cash', 0)",
                    {number, file});
        engine->run("update inv_rep_data set invo = ?, tot = '1000', paym = '1000', netd = '0', "
                    "cash = 'X', credit1 = '', parti1 = '' where id = ?",
                    {QString::number(number), scratch});
        engine->run("commit");
        state.PauseTiming();
        engine->run("delete from po_desc");
        state.ResumeTiming();
    }
    engine->run("delete from inv_rep_data where id = ?", {scratch});
}

// --- reports
// --------------------------------------------------------------------------------------

ReportRun reportOf(const BenchSetup& setup, const std::string& kind) {
    if (kind == "day")
        return periodReport("rep_day", ReportPeriod::Day, setup.day);
    if (kind == "month")
        return periodReport("rep_mon", ReportPeriod::Month, setup.month);
    return periodReport("rep_year", ReportPeriod::Year, setup.year);
}

// The floor: the report's own query, read by the bare engine.
std::pair<QByteArray, QString> floorQueryOf(const BenchSetup& setup, const std::string& kind) {
    const Dialect& dialect = dialectAt(setup.location());
    if (kind == "day")
        return {periodInvoiceQuery(ReportPeriod::Day, dialect).toUtf8(), setup.day};
    if (kind == "month")
        return {periodInvoiceQuery(ReportPeriod::Month, dialect).toUtf8(), setup.month};
    return {periodInvoiceQuery(ReportPeriod::Year, dialect).toUtf8(), setup.year};
}

template <const char* Kind> void programReportPages(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    size_t pages = 0;
    for (auto _ : state)
        counted(state, setup, [&] { pages = layOut(reportOf(setup, Kind)).pages.size(); });
    state.counters["pages"] = double(pages);
}

template <const char* Kind> void programReportPdf(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    for (auto _ : state)
        writePdf(reportOf(setup, Kind), setup.workDir + "/report.pdf");
}

// The annual report until its first page is laid out, as the preview lays it out before it
// shows anything; its floor is the year's query read whole.
void programReportFirstPage(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    for (auto _ : state)
        layOutFirstPage(reportOf(setup, "year"));
}

template <const char* Kind> void floorReport(State& state, const BenchSetup& setup) {
    const auto engine = openFloor(setup);
    const auto [query, period] = floorQueryOf(setup, Kind);
    int rows = 0;
    for (auto _ : state)
        rows = engine->read(query.constData(), {period});
    state.counters["rows"] = rows;
}

constexpr char kDay[] = "day";
constexpr char kMonth[] = "month";
constexpr char kYear[] = "year";

// --- start-up and compaction -------------------------------------------------------------------

void startUp(State& state, const QString& directory) {
    ProgramSession session(directory);
    for (auto _ : state) {
        if (!session.start(false))
            state.SkipWithError("the program did not start");
        state.PauseTiming();
        session.stop();
        state.ResumeTiming();
    }
}

void programStartUp(State& state, const BenchSetup& setup) {
    startUp(state, setup.workDir);
}

void emptyStartUp(State& state, const BenchSetup& setup) {
    startUp(state, setup.emptyDir);
}

void programCompaction(State& state, const BenchSetup& setup) {
    Started program(state, setup);
    for (auto _ : state)
        if (!CompactDB(AppSettings(), setup.databasePath(), setup.workDir + "/test.mdb"))
            state.SkipWithError("compaction failed");
}

void floorCompaction(State& state, const BenchSetup& setup) {
    const QString copy = setup.workDir + "/floor.mdb";
    for (auto _ : state) {
        QFile::remove(copy);
        {
            BareEngine engine(setup.databasePath());
            engine.run("vacuum into ?", {copy});
        }
        QFile::remove(setup.databasePath());
        QFile::rename(copy, setup.databasePath());
    }
}

} // namespace

namespace {

// On a slow link, the user's single actions alone, each shown by the program; the floor is left
// out, as its queries on that link would measure the link.
void registerSlowLinkBenchmarks(BenchSetup& setup) {
    add(setup, "program/open_patient", programOpenPatient, 20);
    add(setup, "program/open_invoice", programOpenInvoice, 10);
    add(setup, "program/code_lookup", programInvoiceLine<false>, 20);
    add(setup, "program/add_line", programInvoiceLine<true>, 20);
    add(setup, "program/save_invoice", programSaveInvoice, 10);
    add(setup, "program/switch_list", programSwitchList, 20);
    add(setup, "program/find_invoice", programFindInvoice, 20);
    add(setup, "program/search_family", programSearch, 20);
    add(setup, "program/day_pages", programReportPages<kDay>, 10);
    add(setup, "program/month_pages", programReportPages<kMonth>, 3);
}

} // namespace

void registerBenchmarks(BenchSetup& setup) {
    if (setup.delayed()) {
        registerSlowLinkBenchmarks(setup);
        return;
    }
    add(setup, "program/open_patient", programOpenPatient, 0, 3);
    add(setup, "floor/open_patient", floorOpenPatient, 0, 3);
    add(setup, "boxes/open_patient", plainBoxesOpenPatient, 0, 3);
    add(setup, "program/search_family", programSearch);
    add(setup, "floor/search_family", floorSearch);
    add(setup, "program/pending_list", programPendingList, 0, 3);
    add(setup, "floor/pending_list", floorPendingList, 0, 3);
    add(setup, "boxes/pending_list", plainGridPendingList, 0, 3);
    add(setup, "program/switch_list", programSwitchList);
    add(setup, "floor/switch_list", floorSwitchList);
    add(setup, "program/all_counted", programCountAll, 1, 3);
    add(setup, "program/all_end_uncounted", programEndBeforeCounted, 5, 3);
    add(setup, "floor/all_end_uncounted", floorListJump<true, kToEnd>, 0, 3);
    add(setup, "program/all_to_end", programListJump<true, kToEnd>, 5, 3);
    add(setup, "floor/all_to_end", floorListJump<true, kToEnd>, 0, 3);
    add(setup, "program/all_to_middle", programListJump<true, kToMiddle>, 5, 3);
    add(setup, "floor/all_to_middle", floorListJump<true, kToMiddle>, 0, 3);
    add(setup, "program/all_to_start", programListJump<true, kToStart>, 5, 3);
    add(setup, "floor/all_to_start", floorListJump<true, kToStart>, 0, 3);
    add(setup, "program/pending_to_end", programListJump<false, kToEnd>, 5, 3);
    add(setup, "floor/pending_to_end", floorListJump<false, kToEnd>, 0, 3);
    add(setup, "program/last_pending", programLastRecord<false>, 20);
    add(setup, "floor/last_pending", floorLastRecord<false>, 20);
    add(setup, "program/last_all", programLastRecord<true>, 20);
    add(setup, "floor/last_all", floorLastRecord<true>, 20);
    add(setup, "program/next_record", programNextRecord);
    add(setup, "floor/next_record", floorNextRecord);
    add(setup, "program/find_invoice", programFindInvoice, 0, 3);
    add(setup, "floor/find_invoice", floorFindInvoice, 0, 3);
    add(setup, "boxes/find_invoice", plainBoxesFindInvoice, 0, 3);
    add(setup, "program/save_invoice", programSaveInvoice, 40, 3);
    add(setup, "floor/save_invoice", floorSaveInvoice, 40, 3);

    add(setup, "program/day_pages", programReportPages<kDay>);
    add(setup, "program/day_pdf", programReportPdf<kDay>);
    add(setup, "floor/day_pages", floorReport<kDay>);
    add(setup, "program/month_pages", programReportPages<kMonth>, 3);
    add(setup, "program/month_pdf", programReportPdf<kMonth>, 3);
    add(setup, "floor/month_pages", floorReport<kMonth>);
    add(setup, "program/year_pages", programReportPages<kYear>, 1);
    add(setup, "program/year_pdf", programReportPdf<kYear>, 1);
    add(setup, "floor/year_pages", floorReport<kYear>, 1);
    add(setup, "program/year_first_page", programReportFirstPage);
    add(setup, "floor/year_first_page", floorReport<kYear>, 1);

    // Start-up and compaction are the file's.
    if (setup.onServer())
        return;
    add(setup, "program/startup", programStartUp, 5);
    add(setup, "floor/startup", emptyStartUp, 5);
    add(setup, "program/compaction", programCompaction, 1);
    add(setup, "floor/compaction", floorCompaction, 1);
}

namespace {

// A single action: shown in under 100 ms, beside its floor.
void addUnder100ms(Scoreboard& board, const QString& what, const std::string& operation) {
    const auto program = board.time("program/" + operation);
    const auto floor = board.time("floor/" + operation);
    board.add({what, program ? milliseconds(*program) : "not measured",
               floor ? milliseconds(*floor) : "",
               program && floor ? QString::number(*program / *floor, 'f', 2) + " ×" : "",
               "< 100 ms", program && *program < 0.1});
}

// A look-up that fills a screen's boxes beside the floor's values put into plain Qt widgets,
// which no screen can beat: within 1.1 times them.
void addAgainstPlainWidgets(Scoreboard& board, const QString& what, const std::string& operation) {
    const double limit = 1.1;
    const auto program = board.time("program/" + operation);
    const auto widgets = board.time("boxes/" + operation);
    const bool measured = program && widgets;
    board.add({what, program ? milliseconds(*program) : "not measured",
               widgets ? milliseconds(*widgets) : "",
               measured ? QString::number(*program / *widgets, 'f', 2) + " ×" : "",
               "≤ 1.1 × plain widgets", measured && *program / *widgets <= limit});
}

} // namespace

void scoreTimes(Scoreboard& board, const BenchSetup& setup) {
    const double limit = 1.5;
    addAgainstPlainWidgets(board,
                           "Open a patient file by number (reference: the plain text boxes below)",
                           "open_patient");
    board.addRatio("The floor's patient file put into 29 plain text boxes (reference: the floor)",
                   "open_patient", {}, "boxes/");
    board.addRatio("Search family names for two letters, first screenful", "search_family", limit);
    addAgainstPlainWidgets(board,
                           "Pending invoices, first screenful (reference: the plain grid below)",
                           "pending_list");
    board.addRatio("The floor's rows put into a plain grid (reference: the floor)", "pending_list",
                   {}, "boxes/");
    const auto counted = board.time("program/all_counted");
    board.add({"\"All\" shown, then its rows counted while the program is idle (the scroll bar "
               "then spans the list)",
               counted ? milliseconds(*counted) : "not measured",
               "",
               "",
               "",
               {}});
    addUnder100ms(board,
                  "One Ctrl+End on all invoices right after \"All\", before it is counted "
                  "(reference: a screenful by the reversed order)",
                  "all_end_uncounted");
    addUnder100ms(board,
                  "One Ctrl+End on the list of all invoices, the last one current and selected "
                  "(reference: a screenful by the reversed order)",
                  "all_to_end");
    addUnder100ms(board,
                  "The scroll bar of all invoices dragged to its middle, the rows there shown "
                  "(reference: a screenful from the invoice there on)",
                  "all_to_middle");
    addUnder100ms(board,
                  "Ctrl+Home back to the first of all invoices (reference: the first screenful)",
                  "all_to_start");
    addUnder100ms(board,
                  "One Ctrl+End on the pending list (reference: a screenful by the reversed order)",
                  "pending_to_end");
    addUnder100ms(board,
                  "\">|\" on the pending list (reference: its last row by the reversed order)",
                  "last_pending");
    addUnder100ms(board, "\">|\" on the list of all invoices (reference: the same)", "last_all");
    board.addRatio("\">\" on the list of all invoices (reference: the next invoice's row)",
                   "next_record", {});
    board.addRatio("\"Outstanding\" and \"All\" in turn, first screenful", "switch_list", {});
    addAgainstPlainWidgets(
        board, "Find an invoice by number (reference: the plain text boxes below)", "find_invoice");
    board.addRatio("The number typed into a plain text box and Enter, the floor's invoice put "
                   "into 4 more (reference: the floor)",
                   "find_invoice", {}, "boxes/");
    board.addRatio("Save a ten-line invoice", "save_invoice", limit);
    board.addRatio("Daily report, laid-out pages (" + setup.day + ")", "day_pages", {});
    board.addRatio("Monthly report, laid-out pages (" + setup.month + ")", "month_pages", {});
    board.addRatio("Annual report, laid-out pages (" + setup.year + ")", "year_pages", {});
    board.addRatio("Annual report, its first page laid out (reference: the year's query read "
                   "whole)",
                   "year_first_page", {});
    for (const auto& [name, what] : {std::pair{"day", "Daily"}, {"month", "Monthly"}}) {
        const auto query = board.time(std::string("floor/") + name + "_pages");
        board.add({QString(what) + " report's query read whole", query ? milliseconds(*query) : "",
                   "", "", "< 5 ms", query && *query < 0.005});
    }
    for (const auto& [name, what] :
         {std::pair{"day", "Daily"}, {"month", "Monthly"}, {"year", "Annual"}}) {
        const auto pdf = board.time(std::string("program/") + name + "_pdf");
        board.add(
            {QString(what) + " report as PDF", pdf ? milliseconds(*pdf) : "", "", "", "", {}});
    }
    if (setup.onServer())
        return;
    board.addRatio("Start-up to the main window (reference: an empty database)", "startup", {});
    board.addRatio("Compaction (reference: the engine's VACUUM INTO)", "compaction", {});
}

void scoreRoundTrips(Scoreboard& board) {
    const std::pair<const char*, const char*> actions[] = {
        {"open_patient", "Open a patient file by number"},
        {"open_invoice", "Open the invoice screen for a patient (the open-file dialog's \"OK\")"},
        {"code_lookup", "Look up a procedure code on an invoice line (the box left)"},
        {"add_line", "Add the line (its \"OK\")"},
        {"save_invoice", "Save a ten-line invoice"},
        {"switch_list", "\"Outstanding\" or \"All\" on the invoice list, first screenful"},
        {"find_invoice", "Find an invoice by number"},
        {"search_family", "Search family names for two letters, first screenful"},
        {"day_pages", "Daily report: its query and laid-out pages"},
        {"month_pages", "Monthly report: its query and laid-out pages"}};
    for (const auto& [operation, what] : actions) {
        const std::string name = std::string("program/") + operation;
        const auto time = board.time(name);
        const auto trips = board.roundTrips(name);
        const bool save = std::string(operation) == "save_invoice";
        board.add({what, time ? milliseconds(*time) : "not measured", "",
                   trips ? QString::number(*trips, 'f', 1) + " round trips" : "",
                   save ? "< 100 ms, ≤ 3 round trips" : "< 100 ms",
                   time && trips && *time < 0.1 && (!save || *trips <= 3)});
    }
}
