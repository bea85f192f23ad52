#include "support/clinicrows.h"
#include "support/testenv.h"

#include "binding/datagrid.h"
#include "binding/datasource.h"
#include "binding/gridpaging.h"
#include "db/clinic/patientsearch.h"
#include "db/engine/connection.h"
#include "db/engine/orderedqueryrecordset.h"
#include "db/engine/queryrecordset.h"
#include "db/engine/recordsources.h"

#include <QDeadlineTimer>
#include <QDialog>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>
#include <sqlite3.h>

namespace {

// The invoice list's rows as one query gives them: file number and invoice number.
// The list read whole, each row as its first file number and its invoice number.
QStringList listRows(const QString& query) {
    QSqlQuery rows = runQuery(clinicDatabase(), query);
    const int fileNumber = rows.record().indexOf("file_num");
    const int invoice = rows.record().indexOf("po_num");
    QStringList keys;
    while (rows.next())
        keys << rows.value(fileNumber).toString() + "|" + rows.value(invoice).toString();
    return keys;
}

QStringList keysOf(const QVector<Record>& records) {
    QStringList keys;
    for (const Record& record : records)
        keys << record.values[0].toString() + "|" + record.values[2].toString();
    return keys;
}

// Every row of a query source read page by page, each page continuing after the last row read.
QStringList readInPages(QueryRecordSet& records, int pageSize) {
    QVector<Record> all;
    std::optional<qint64> last;
    for (QVector<Record> page = records.page(last, pageSize); !page.isEmpty();
         page = records.page(last, pageSize)) {
        all += page;
        last = page.last().key;
    }
    return keysOf(all);
}

// Invoices of patients who share file numbers: the join lists such an invoice once for each
// patient, so runs of rows carry the same invoice number, some longer than a page.
void fileInvoicesWithSharedFileNumbers() {
    for (const char* number : {"1", "2", "2", "3", "3", "3", "3", "3"})
        addPatient({{"file_num", number}, {"pt_name", QString("Patient ") + number}});
    const char* owners[] = {"1", "2", "3", "9", "1", "3", "2", "3", "1", "2"};
    for (int i = 0; i < int(std::size(owners)); ++i)
        addInvoice(owners[i], "01/02/2026", 100, i % 3 == 0 ? 0 : 50);
}

// Every row of a source read from its end back to its start, a page at a time.
QStringList readBackwards(RecordSet& records, int pageSize) {
    QVector<Record> all;
    std::optional<qint64> first;
    for (QVector<Record> page = records.pageBefore(first, pageSize); !page.isEmpty();
         page = records.pageBefore(first, pageSize)) {
        all = page + all;
        first = page.first().key;
    }
    return keysOf(all);
}

// A patient's invoices in the invoice list, numbered 1 to count.
void fileManyInvoices(int count) {
    addPatient({{"file_num", "1"}, {"pt_name", "Salem"}});
    runQuery(clinicDatabase(),
             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
             "INSERT INTO pt_sh (file_num, po_date, po_pri, po_netd) "
             "SELECT '1', '01/02/2026', i, 1 FROM n",
             {count});
}

int gridRowsShown(QTableView* grid) {
    const int rowHeight = grid->verticalHeader()->defaultSectionSize();
    return (grid->viewport()->height() + rowHeight - 1) / rowHeight;
}

} // namespace

class PagingTest : public QObject {
    Q_OBJECT
  private slots:
    void orderedListReadInPagesEqualsItReadWhole_data();
    void orderedListReadInPagesEqualsItReadWhole();
    void positionsFarDownComeFromTheNearestPageRead();
    void deletingARowAlreadyReadNeitherSkipsNorRepeatsRows();
    void listsWithoutAWholeNumberOrderAreCountedFromTheStart();
    void aRefreshedSourceReadsItsNewValues();
    void aSourceOpensAfterItsConnectionWasClosed();
    void gridReadsAScreenfulFirstAndCountsTheRestWhenIdle();
    void invoiceListsAreReadEitherWayByTheirKey_data();
    void invoiceListsAreReadEitherWayByTheirKey();
    void onlyAnOrderByAnIntegerPrimaryKeyGivesKeyedRows();
    void oneKeyOrDragReachesAnyPlaceOfTheList_data();
    void oneKeyOrDragReachesAnyPlaceOfTheList();
    void eitherEndOfAShortListIsItsOwn();
    void aRecordFoundFarAwayShowsAtItsPlace();
    void aRecordFoundInACountedListIsAtItsPlace();
    void theCountFollowsRowsAddedAndDeleted();
    void bareEngineHandleComparesTheArabicWay();
};

void PagingTest::orderedListReadInPagesEqualsItReadWhole_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<int>("pageSize");
    for (int size : {1, 2, 3, 5, 256}) {
        QTest::addRow("pending, pages of %d", size) << QString(kPendingInvoicesQuery) << size;
        QTest::addRow("all, pages of %d", size) << QString(kAllInvoicesQuery) << size;
    }
}

void PagingTest::orderedListReadInPagesEqualsItReadWhole() {
    QFETCH(QString, query);
    QFETCH(int, pageSize);
    TestEnv env;
    env.createDatabase();
    fileInvoicesWithSharedFileNumbers();
    QueryRecordSet records(clinicDatabase(), query, {});

    const QStringList whole = listRows(query);
    QVERIFY(whole.size() > 10);
    QCOMPARE(readInPages(records, pageSize), whole);
    // A second pass, with every page's end already known, gives the same.
    QCOMPARE(readInPages(records, pageSize), whole);
}

void PagingTest::positionsFarDownComeFromTheNearestPageRead() {
    TestEnv env;
    env.createDatabase();
    fileInvoicesWithSharedFileNumbers();
    const QStringList whole = listRows(kAllInvoicesQuery);
    QueryRecordSet records(clinicDatabase(), kAllInvoicesQuery, {});
    readInPages(records, 3);

    for (int position = whole.size() - 1; position >= 0; --position)
        QCOMPARE(keysOf({*records.at(position)}).first(), whole[position]);
    QVERIFY(!records.at(whole.size()));
    QCOMPARE(records.count(), whole.size());
    QCOMPARE(keysOf({*records.last()}).first(), whole.last());
}

// Reading on from where the last page ended, not from a count of rows, keeps a list whole when
// the program deletes an invoice that the grid already shows.
void PagingTest::deletingARowAlreadyReadNeitherSkipsNorRepeatsRows() {
    TestEnv env;
    env.createDatabase();
    addPatient({{"file_num", "1"}, {"pt_name", "Salem"}});
    for (int i = 0; i < 12; ++i)
        addInvoice("1", "01/02/2026", 100, 10);
    QueryRecordSet records(clinicDatabase(), kPendingInvoicesQuery, {});
    const QVector<Record> first = records.page(std::nullopt, 4);
    QCOMPARE(first.last().values[2].toInt(), 4);

    runQuery(clinicDatabase(), "DELETE FROM pt_sh WHERE po_num = 2");
    const QVector<Record> second = records.page(first.last().key, 4);

    QCOMPARE(second.first().values[2].toInt(), 5);
    QCOMPARE(second.last().values[2].toInt(), 8);
}

void PagingTest::listsWithoutAWholeNumberOrderAreCountedFromTheStart() {
    TestEnv env;
    env.createDatabase();
    fileInvoicesWithSharedFileNumbers();
    const QString byName = "select pt_name, pt_sh.file_num, po_num from per_inf_data, pt_sh "
                           "where per_inf_data.file_num = pt_sh.file_num order by pt_name";
    const QString byTwoColumns = "select per_inf_data.file_num, pt_name, po_num, pt_sh.file_num "
                                 "from per_inf_data, pt_sh where per_inf_data.file_num = "
                                 "pt_sh.file_num order by pt_sh.file_num";
    const QString unordered = "select file_num, pt_name, po_num from pt_sh natural join "
                              "per_inf_data";
    for (const QString& query : {byName, byTwoColumns, unordered}) {
        QueryRecordSet records(clinicDatabase(), query, {});
        const QStringList paged = readInPages(records, 2);
        QCOMPARE(paged.size(), listRows(query).size());
        QCOMPARE(paged.first(), keysOf({*records.first()}).first());
    }
}

void PagingTest::aRefreshedSourceReadsItsNewValues() {
    TestEnv env;
    const QString path = env.createDatabase();
    addPatient({{"file_num", "1"}, {"pt_name_fm", "Haddad"}});
    addPatient({{"file_num", "2"}, {"pt_name_fm", "Nour"}});
    QWidget screen;
    DataSource source(&screen, "Data1");
    source.setDatabaseName(path);
    const auto search = [&](const QString& text) {
        return patientSearchQuery(SearchField::FamilyName, text, path);
    };
    source.setRecordSource(search("dd").sql);

    source.setRecordSourceValues(search("dd").values);
    source.refresh();
    QCOMPARE(source.field("file_num").toString(), QString("1"));
    QCOMPARE(source.recordCount(), 1);

    source.setRecordSourceValues(search("ou").values);
    source.refresh();
    QCOMPARE(source.field("file_num").toString(), QString("2"));
    QCOMPARE(source.recordCount(), 1);

    // A table source limited to one value of a field follows a new value the same way.
    addInvoice("1", "01/02/2026", 100, 0);
    addInvoice("2", "01/02/2026", 200, 0);
    source.setRecordSource("pt_sh");
    for (const char* file : {"1", "2"}) {
        source.setFilter("file_num", file);
        source.refresh();
        QCOMPARE(source.field("file_num").toString(), QString(file));
        QCOMPARE(source.recordCount(), 1);
    }
}

void PagingTest::aSourceOpensAfterItsConnectionWasClosed() {
    TestEnv env;
    const QString path = env.createDatabase();
    addPatient({{"file_num", "1"}, {"pt_name", "Salem"}});
    QWidget screen;
    DataSource source(&screen, "Data2");
    source.setDatabaseName(path);
    source.setRecordSource(kAllInvoicesQuery);
    source.refresh();
    QVERIFY(!source.hasCurrent());

    closeAllDatabases();
    addInvoice("1", "01/02/2026", 100, 0);
    source.refresh();
    QVERIFY(source.hasCurrent());
    QCOMPARE(source.field("pt_name").toString(), QString("Salem"));
}

void PagingTest::gridReadsAScreenfulFirstAndCountsTheRestWhenIdle() {
    TestEnv env;
    const QString path = env.createDatabase();
    fileManyInvoices(3 * ListPositions::StepRows + 10);
    QWidget screen;
    DataSource source(&screen, "Data1");
    source.setDatabaseName(path);
    source.setRecordSource("pt_sh");
    QTableView grid(&screen);
    grid.setModel(source.model());
    pageByScreenful(&grid);
    grid.resize(300, 200);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));

    source.refresh();
    const int shown = gridRowsShown(&grid);
    QVERIFY(source.model()->rowCount() > shown);
    QVERIFY(source.model()->rowCount() <= shown + 2);
    QVERIFY(!source.model()->isCounted());
    // A key pressed holds the count back while the user works.
    const int first = source.model()->rowCount();
    QTest::keyClick(&grid, Qt::Key_Down);
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    QCOMPARE(source.model()->rowCount(), first);
    QSignalSpy counted(source.model(), &RecordSourceModel::counted);
    QTRY_VERIFY(source.model()->isCounted());
    QCOMPARE(counted.size(), 1);
    QCOMPARE(source.model()->rowCount(), 3 * ListPositions::StepRows + 10);
    QScrollBar* bar = grid.verticalScrollBar();
    QTRY_COMPARE(bar->maximum() + bar->pageStep(), source.model()->rowCount());

    // A taller grid starts with more.
    grid.resize(300, 600);
    source.refresh();
    QCOMPARE(source.model()->rowCount(), gridRowsShown(&grid) + 1);

    // A grid that nobody sees leaves its list uncounted until it is shown again.
    screen.hide();
    source.refresh();
    QTest::qWait(50);
    QVERIFY(!source.model()->isCounted());
    screen.show();
    QTRY_VERIFY(source.model()->isCounted());

    // Nor while a modal window's work turns the event loop.
    QDialog progress;
    progress.setModal(true);
    progress.show();
    source.refresh();
    QTest::qWait(50);
    QVERIFY(!source.model()->isCounted());
    progress.close();
    QTRY_VERIFY(source.model()->isCounted());
}

void PagingTest::invoiceListsAreReadEitherWayByTheirKey_data() {
    orderedListReadInPagesEqualsItReadWhole_data();
}

// Where a join repeats an invoice number, the rows that share it keep their order either way.
void PagingTest::invoiceListsAreReadEitherWayByTheirKey() {
    QFETCH(QString, query);
    QFETCH(int, pageSize);
    TestEnv env;
    env.createDatabase();
    fileInvoicesWithSharedFileNumbers();
    const std::unique_ptr<RecordSet> records =
        OrderedQueryRecordSet::open(clinicDatabase(), query, {});
    QVERIFY(records);
    const QStringList whole = listRows(query);
    QVERIFY(whole.size() > 10);

    QCOMPARE(readBackwards(*records, pageSize), whole);
    QStringList walked;
    for (auto record = records->last(); record; record = records->before(record->key)) {
        QCOMPARE(keysOf({*records->at(record->key)}), keysOf({*record}));
        walked.prepend(keysOf({*record}).first());
    }
    QCOMPARE(walked, whole);
    QStringList forward;
    for (auto record = records->first(); record; record = records->after(record->key))
        forward << keysOf({*record}).first();
    QCOMPARE(forward, whole);
    // The keys read alone, page by page, are the records' keys.
    QVector<qint64> keys;
    std::optional<qint64> after;
    for (QVector<qint64> page; !(page = records->keysAfter(after, pageSize)).isEmpty();
         after = page.last())
        keys += page;
    QVector<qint64> recordKeys;
    for (const Record& record : records->page(std::nullopt, int(whole.size()) + 1))
        recordKeys << record.key;
    QCOMPARE(keys, recordKeys);

    const int nameColumn = records->requireColumn("pt_name");
    const auto found = records->findFirst(nameColumn, "Patient 3");
    QVERIFY(found);
    QCOMPARE(keysOf({*found}).first(), whole[whole.indexOf(QRegularExpression("^3\\|.*"))]);
    QCOMPARE(keysOf({*records->at(found->key)}), keysOf({*found}));
    QVERIFY(!records->findFirst(nameColumn, "Nobody"));
}

void PagingTest::onlyAnOrderByAnIntegerPrimaryKeyGivesKeyedRows() {
    TestEnv env;
    env.createDatabase();
    const QString join = "select pt_name, pt_sh.file_num, po_num, po_pri from per_inf_data, "
                         "pt_sh where per_inf_data.file_num = pt_sh.file_num ";
    for (const QString& query : {QString(kPendingInvoicesQuery), QString(kAllInvoicesQuery),
                                 join + "order by pt_sh.po_num asc;"})
        QVERIFY2(OrderedQueryRecordSet::open(clinicDatabase(), query, {}), qPrintable(query));
    for (const QString& query : {join + "order by pt_sh.file_num", join + "order by pt_sh.po_pri",
                                 join + "order by "
                                        "po_num",
                                 join + "order by pt_sh.po_num desc", join})
        QVERIFY2(!OrderedQueryRecordSet::open(clinicDatabase(), query, {}), qPrintable(query));
}

namespace {

constexpr int kManyInvoices = 3 * RecordSourceModel::WindowRows;

// Many invoices; one file number in a thousand is shared by more patients than a jump reads
// back, so the list repeats those invoices in long runs of rows with one invoice number.
void fileLongList() {
    fileManyInvoices(kManyInvoices);
    for (int i = 0; i < 20; ++i)
        addPatient({{"file_num", "2"}, {"pt_name", QString("Twin %1").arg(i, 2, 10, QChar('0'))}});
    runQuery(clinicDatabase(), "UPDATE pt_sh SET file_num = '2' WHERE po_num % 1000 = 0");
}

// A grid over a long list, following its data source, as the screens make it.
struct ListGrid {
    explicit ListGrid(const QString& recordSource) : source(&screen, "Data2") {
        source.setDatabaseName(env.createDatabase());
        fileLongList();
        source.setRecordSource(recordSource);
        grid = makeDataGrid(&screen, "DBGrid1", "Invoices", &source,
                            {{"file_num", "Patient No"}, {"po_num", "Invoice No"}});
        followCurrentRecord(grid, &source);
        grid->resize(300, 200);
        screen.show();
    }

    QString rowShown(int row) {
        return source.model()->value(row, "file_num").toString() + "|" +
               source.model()->value(row, "po_num").toString();
    }
    // The rows in sight, as the grid shows them.
    QStringList rowsInSight() {
        QStringList rows;
        for (int row = grid->rowAt(0); row >= 0 && row <= lastRowInSight(); ++row)
            rows << grid->model()->index(row, 0).data().toString() + "|" +
                        grid->model()->index(row, 1).data().toString();
        return rows;
    }
    int lastRowInSight() {
        const int last = grid->rowAt(grid->viewport()->height() - 1);
        return last < 0 ? grid->model()->rowCount() - 1 : last;
    }
    // The grid's current row is selected, in sight, and the source's current record.
    bool currentRowIsTheRecord(int row) {
        return grid->currentIndex().row() == row &&
               grid->selectionModel()->isRowSelected(row, {}) &&
               grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex())) &&
               source.field("po_num").toString() == rowShown(row).section('|', 1) &&
               source.field("file_num").toString() == rowShown(row).section('|', 0, 0);
    }
    void dragScrollBarTo(int value) {
        QScrollBar* bar = grid->verticalScrollBar();
        bar->setSliderDown(true);
        bar->setSliderPosition(value);
        bar->setSliderDown(false);
        QTest::qWait(1);
    }

    TestEnv env;
    QWidget screen;
    DataSource source;
    QTableView* grid = nullptr;
};

} // namespace

void PagingTest::oneKeyOrDragReachesAnyPlaceOfTheList_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("query");
    QTest::addRow("all invoices") << QString(kAllInvoicesQuery) << QString(kAllInvoicesQuery);
    QTest::addRow("pending invoices")
        << QString(kPendingInvoicesQuery) << QString(kPendingInvoicesQuery);
    QTest::addRow("a table") << "pt_sh"
                             << "select file_num, po_num from pt_sh order by po_num";
    const QString byName = "select pt_name, pt_sh.file_num, po_num from per_inf_data, pt_sh where "
                           "per_inf_data.file_num = pt_sh.file_num order by pt_name, po_num";
    QTest::addRow("a search's rows by place") << byName << byName;
}

// The grid holds a row for every record of the list, its scroll bar spans them all, and one
// press or one drag shows the list's own rows wherever it lands, read without walking there.
void PagingTest::oneKeyOrDragReachesAnyPlaceOfTheList() {
    QFETCH(QString, source);
    QFETCH(QString, query);
    ListGrid list(source);
    QVERIFY(QTest::qWaitForWindowExposed(&list.screen));
    list.source.refresh();
    const QStringList whole = listRows(query);
    QVERIFY(whole.size() >= kManyInvoices);
    QScrollBar* bar = list.grid->verticalScrollBar();
    // At once, before the list is counted while the program is idle: the list's last rows.
    QVERIFY(!list.source.model()->isCounted());
    QTest::keyClick(list.grid, Qt::Key_End, Qt::ControlModifier);
    QVERIFY(!list.source.model()->isCounted());
    const int last = list.grid->model()->rowCount() - 1;
    QVERIFY(list.currentRowIsTheRecord(last));
    QCOMPARE(list.rowShown(last), whole.last());
    QCOMPARE(bar->value(), bar->maximum());
    const QStringList atTheEnd = list.rowsInSight();
    QCOMPARE(atTheEnd, whole.mid(whole.size() - atTheEnd.size()));
    // Counted, the rows settle at their places and the same record stays current, in sight.
    QTRY_VERIFY_WITH_TIMEOUT(list.source.model()->isCounted(), 30000);
    QCOMPARE(list.grid->model()->rowCount(), whole.size());
    QCOMPARE(bar->maximum() + bar->pageStep(), whole.size());
    QVERIFY(list.currentRowIsTheRecord(whole.size() - 1));
    QCOMPARE(list.rowsInSight(), atTheEnd);

    for (const double fraction : {0.5, 0.02, 0.77, 0.5001, 0.98}) {
        const int top = int(bar->maximum() * fraction);
        list.dragScrollBarTo(top);
        QCOMPARE(list.grid->rowAt(0), top);
        QCOMPARE(list.rowsInSight(), whole.mid(top, list.rowsInSight().size()));
    }

    // A row chosen there, then a page down and up from it.
    const int top = list.grid->rowAt(0);
    QTest::mouseClick(list.grid->viewport(), Qt::LeftButton, {},
                      list.grid->visualRect(list.grid->model()->index(top, 0)).center());
    QVERIFY(list.currentRowIsTheRecord(top));
    QTest::keyClick(list.grid, Qt::Key_PageDown);
    const int below = list.grid->currentIndex().row();
    QVERIFY(below > top);
    QVERIFY(list.currentRowIsTheRecord(below));
    QTest::keyClick(list.grid, Qt::Key_PageUp);
    QVERIFY(list.grid->currentIndex().row() < below);
    QVERIFY(list.currentRowIsTheRecord(list.grid->currentIndex().row()));

    QTest::keyClick(list.grid, Qt::Key_Home, Qt::ControlModifier);
    QVERIFY(list.currentRowIsTheRecord(0));
    QCOMPARE(bar->value(), 0);
    QCOMPARE(list.rowsInSight(), whole.mid(0, list.rowsInSight().size()));

    // ">|" and "|<" on the navigation bar move the source; the grid follows at once.
    list.source.moveLast();
    QVERIFY(list.currentRowIsTheRecord(whole.size() - 1));
    list.source.movePrevious();
    QVERIFY(list.currentRowIsTheRecord(whole.size() - 2));
    list.source.moveFirst();
    QVERIFY(list.currentRowIsTheRecord(0));
}

// Ctrl+End and Ctrl+Home on a list that the grid holds whole, or an empty one, stay in it.
void PagingTest::eitherEndOfAShortListIsItsOwn() {
    TestEnv env;
    QWidget screen;
    DataSource source(&screen, "Data2");
    source.setDatabaseName(env.createDatabase());
    fileManyInvoices(60);
    source.setRecordSource(kAllInvoicesQuery);
    QTableView* grid =
        makeDataGrid(&screen, "DBGrid1", "Invoices", &source, {{"po_num", "Invoice No"}});
    followCurrentRecord(grid, &source);
    grid->resize(300, 200);
    screen.show();
    QVERIFY(QTest::qWaitForWindowExposed(&screen));
    source.refresh();

    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(source.field("po_num").toInt(), 60);
    QCOMPARE(grid->currentIndex().row(), 59);
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(source.field("po_num").toInt(), 1);

    runQuery(clinicDatabase(), "DELETE FROM pt_sh");
    source.refresh();
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    QVERIFY(!grid->currentIndex().isValid());
    QVERIFY(!source.hasCurrent());
}

// A record found far down the list before it is counted is shown at once among the list's rows
// around it, and at its place once the list is counted.
void PagingTest::aRecordFoundFarAwayShowsAtItsPlace() {
    ListGrid list(kAllInvoicesQuery);
    QVERIFY(QTest::qWaitForWindowExposed(&list.screen));
    const QStringList whole = listRows(kAllInvoicesQuery);

    for (const int invoice : {3, 7000, kManyInvoices / 2, kManyInvoices - 10}) {
        list.source.refresh();
        QVERIFY(list.source.findFirst("po_num", invoice));
        QVERIFY(!list.source.model()->isCounted());
        QCOMPARE(list.source.field("po_num").toInt(), invoice);
        QVERIFY(list.currentRowIsTheRecord(list.grid->currentIndex().row()));
        const QStringList inSight = list.rowsInSight();
        QCOMPARE(inSight, whole.mid(whole.indexOf(inSight.first()), inSight.size()));
    }
    QTRY_VERIFY_WITH_TIMEOUT(list.source.model()->isCounted(), 30000);
    const int row = list.grid->currentIndex().row();
    QCOMPARE(whole[row].section('|', 1).toInt(), kManyInvoices - 10);
    QVERIFY(list.currentRowIsTheRecord(row));
    QCOMPARE(list.rowsInSight(), whole.mid(list.grid->rowAt(0), list.rowsInSight().size()));
}

// In a counted list a record found is current at its own place, the list's rows around it in
// sight, whether the grid scrolls up or down to it; one that the list lacks is not found.
void PagingTest::aRecordFoundInACountedListIsAtItsPlace() {
    ListGrid list(kPendingInvoicesQuery);
    QVERIFY(QTest::qWaitForWindowExposed(&list.screen));
    runQuery(clinicDatabase(), "UPDATE pt_sh SET po_netd = 0 WHERE po_num % 7 = 0");
    list.source.refresh();
    const QStringList whole = listRows(kPendingInvoicesQuery);
    QTRY_VERIFY_WITH_TIMEOUT(list.source.model()->isCounted(), 30000);
    for (const int invoice : {kManyInvoices - 2, 1, 9000, 2, 9000 - 1, kManyInvoices / 2}) {
        QVERIFY(list.source.findFirst("po_num", invoice));
        const int place = int(whole.indexOf(QRegularExpression(QString("^.*\\|%1$").arg(invoice))));
        QVERIFY(list.currentRowIsTheRecord(place));
        QCOMPARE(list.rowsInSight(), whole.mid(list.grid->rowAt(0), list.rowsInSight().size()));
    }
    for (const int invoice : {7, 7 * 1000, kManyInvoices + 1}) {
        QVERIFY(!list.source.findFirst("po_num", invoice));
        QCOMPARE(list.source.field("po_num").toInt(), kManyInvoices / 2);
    }
    // Due again since the count, as another desk may make it: still found.
    runQuery(clinicDatabase(), "UPDATE pt_sh SET po_netd = 5 WHERE po_num = 7000");
    QVERIFY(list.source.findFirst("po_num", 7000));
    QCOMPARE(list.source.field("po_num").toInt(), 7000);
}

// Rows added or deleted through the data source keep the grid's count, and its rows, the list's.
void PagingTest::theCountFollowsRowsAddedAndDeleted() {
    ListGrid list("pt_sh");
    QVERIFY(QTest::qWaitForWindowExposed(&list.screen));
    list.source.refresh();
    const int invoices = kManyInvoices;
    QTRY_COMPARE(list.grid->model()->rowCount(), invoices);

    list.source.addNew();
    list.source.setField("file_num", "9");
    list.source.store();
    QCOMPARE(list.grid->model()->rowCount(), invoices + 1);
    QTest::keyClick(list.grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(list.rowShown(invoices), QString("9|%1").arg(invoices + 1));

    // One far from the rows in sight, then the one in sight.
    list.source.findFirst("po_num", 2);
    list.source.deleteCurrent();
    QCOMPARE(list.grid->model()->rowCount(), invoices);
    list.source.moveLast();
    QVERIFY(list.currentRowIsTheRecord(invoices - 1));
    list.source.deleteCurrent();
    QCOMPARE(list.grid->model()->rowCount(), invoices - 1);
    QStringList whole = listRows("select file_num, po_num from pt_sh order by po_num");
    QCOMPARE(whole.size(), invoices - 1);
    QCOMPARE(list.rowsInSight(), whole.mid(list.grid->rowAt(0), list.rowsInSight().size()));
    QCOMPARE(list.rowShown(1), whole[1]);

    // Rows deleted while the list is being counted, counted ones and others: the count ends at
    // the list's own, and a drag anywhere shows the list's rows there.
    list.source.refresh();
    // One page counted, once the key pressed above is far enough behind.
    const QDeadlineTimer deadline(5000);
    while (list.grid->model()->rowCount() <= RecordSourceModel::SmallestCountStep &&
           !deadline.hasExpired())
        QCoreApplication::processEvents();
    QVERIFY(list.grid->model()->rowCount() > RecordSourceModel::SmallestCountStep);
    QVERIFY(!list.source.model()->isCounted());
    for (int i = 0; i < 12; ++i) {
        list.source.moveToRow(RecordSourceModel::SmallestCountStep - 6);
        list.source.deleteCurrent();
    }
    whole = listRows("select file_num, po_num from pt_sh order by po_num");
    QTRY_VERIFY(list.source.model()->isCounted());
    QCOMPARE(list.grid->model()->rowCount(), whole.size());
    for (const double fraction : {0.001, 0.004, 0.5, 0.9}) {
        const int top = int(list.grid->verticalScrollBar()->maximum() * fraction);
        list.dragScrollBarTo(top);
        QCOMPARE(list.rowsInSight(), whole.mid(top, list.rowsInSight().size()));
    }
}

// The benchmark's floor and any other bare handle compare text as the program's connections do.
void PagingTest::bareEngineHandleComparesTheArabicWay() {
    sqlite3* handle = nullptr;
    QCOMPARE(sqlite3_open(":memory:", &handle), SQLITE_OK);
    registerArabicCollation(handle);
    sqlite3_stmt* statement = nullptr;
    QCOMPARE(sqlite3_prepare_v2(handle, "SELECT 'SALEM' = 'salem' COLLATE ARABIC", -1, &statement,
                                nullptr),
             SQLITE_OK);
    QCOMPARE(sqlite3_step(statement), SQLITE_ROW);
    QCOMPARE(sqlite3_column_int(statement, 0), 1);
    sqlite3_finalize(statement);
    sqlite3_close(handle);
}

QTEST_MAIN(PagingTest)
#include "test_paging.moc"
