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

#include <QHeaderView>
#include <QRegularExpression>
#include <QScrollBar>
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
    void gridReadsAScreenfulFirstAndMoreAsItScrolls();
    void invoiceListsAreReadEitherWayByTheirKey_data();
    void invoiceListsAreReadEitherWayByTheirKey();
    void onlyAnOrderByAnIntegerPrimaryKeyGivesKeyedRows();
    void oneKeyPressReachesEitherEndOfTheList_data();
    void oneKeyPressReachesEitherEndOfTheList();
    void eitherEndOfAShortListIsItsOwn();
    void farRecordsShowAmongTheirNeighbours();
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
        return patientSearchQuery(SearchField::FamilyName, text, engineAt(path));
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

void PagingTest::gridReadsAScreenfulFirstAndMoreAsItScrolls() {
    TestEnv env;
    const QString path = env.createDatabase();
    runQuery(clinicDatabase(),
             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000) "
             "INSERT INTO pt_sh (file_num, po_pri, po_netd) SELECT i, i, 1 FROM n");
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
    QTest::qWait(50);
    // The grid did not need more to fill itself.
    QVERIFY(source.model()->rowCount() <= shown + 2);

    grid.scrollToBottom();
    QTRY_VERIFY(source.model()->rowCount() > RecordSourceModel::PageSize);
    QCOMPARE(source.model()->value(source.model()->rowCount() - 1, "po_num").toInt(),
             source.model()->rowCount());

    // A taller grid starts with more.
    grid.resize(300, 600);
    source.refresh();
    QCOMPARE(source.model()->rowCount(), gridRowsShown(&grid) + 1);
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

// Many invoices; one file number in a thousand is shared by several patients, so the list
// repeats those invoices in runs of rows with one invoice number.
void fileLongList() {
    fileManyInvoices(kManyInvoices);
    for (int i = 0; i < 3; ++i)
        addPatient({{"file_num", "2"}, {"pt_name", QString("Twin %1").arg(i)}});
    runQuery(clinicDatabase(), "UPDATE pt_sh SET file_num = '2' WHERE po_num % 1000 = 0");
}

// A grid over a long list, following its data source, as the screens make it.
struct ListGrid {
    explicit ListGrid(const QString& recordSource = kAllInvoicesQuery) : source(&screen, "Data2") {
        source.setDatabaseName(env.createDatabase());
        fileLongList();
        source.setRecordSource(recordSource);
        grid = makeDataGrid(&screen, "DBGrid1", "Invoices", &source,
                            {{"file_num", "Patient No"}, {"po_num", "Invoice No"}});
        followCurrentRecord(grid, &source);
        grid->resize(300, 200);
        screen.show();
    }

    int currentInvoice() {
        return source.model()->value(grid->currentIndex().row(), "po_num").toInt();
    }
    QString rowShown(int row) {
        return source.model()->value(row, "file_num").toString() + "|" +
               source.model()->value(row, "po_num").toString();
    }
    // The rows the grid holds, in its order.
    QStringList rowsHeld() {
        QStringList rows;
        for (int row = 0; row < source.model()->rowCount(); ++row)
            rows << rowShown(row);
        return rows;
    }
    // The grid's row is the source's record, selected and in sight.
    bool showsCurrentRecord() {
        const int row = grid->currentIndex().row();
        return row >= 0 && grid->selectionModel()->isRowSelected(row, {}) &&
               rowShown(row) ==
                   source.field("file_num").toString() + "|" + source.field("po_num").toString() &&
               grid->viewport()->rect().intersects(grid->visualRect(grid->currentIndex()));
    }

    TestEnv env;
    QWidget screen;
    DataSource source;
    QTableView* grid = nullptr;
};

} // namespace

void PagingTest::oneKeyPressReachesEitherEndOfTheList_data() {
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

// One Ctrl+End shows the list's last record, current and selected, among the list's own last
// rows, and one Ctrl+Home its first; paging from there keeps to the list's rows.
void PagingTest::oneKeyPressReachesEitherEndOfTheList() {
    QFETCH(QString, source);
    QFETCH(QString, query);
    ListGrid list(source);
    QVERIFY(QTest::qWaitForWindowExposed(&list.screen));
    list.source.refresh();
    const QStringList whole = listRows(query);
    QVERIFY(whole.size() >= kManyInvoices);

    QTest::keyClick(list.grid, Qt::Key_End, Qt::ControlModifier);
    const QStringList tail = list.rowsHeld();
    QCOMPARE(tail, whole.mid(whole.size() - tail.size()));
    QCOMPARE(list.grid->currentIndex().row(), tail.size() - 1);
    QVERIFY(list.showsCurrentRecord());
    QCOMPARE(list.grid->verticalScrollBar()->value(), list.grid->verticalScrollBar()->maximum());

    QTest::keyClick(list.grid, Qt::Key_PageUp);
    QVERIFY(list.grid->currentIndex().row() < tail.size() - 1);
    QVERIFY(list.showsCurrentRecord());
    QCOMPARE(list.rowsHeld(), whole.mid(whole.size() - list.rowsHeld().size()));

    QTest::keyClick(list.grid, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(list.grid->currentIndex().row(), 0);
    QVERIFY(list.showsCurrentRecord());
    QCOMPARE(list.rowsHeld(), whole.mid(0, list.rowsHeld().size()));
    QVERIFY(list.source.model()->rowCount() <= RecordSourceModel::WindowRows);
    QCOMPARE(list.grid->verticalScrollBar()->value(), 0);

    QTest::keyClick(list.grid, Qt::Key_PageDown);
    QVERIFY(list.grid->currentIndex().row() > 0);
    QVERIFY(list.showsCurrentRecord());
    // Again at the end, from a grid that holds only the first rows.
    QTest::keyClick(list.grid, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(list.rowShown(list.grid->currentIndex().row()), whole.last());
    QVERIFY(list.showsCurrentRecord());
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

void PagingTest::farRecordsShowAmongTheirNeighbours() {
    ListGrid list;
    const int invoices = kManyInvoices;
    QVERIFY(QTest::qWaitForWindowExposed(&list.screen));
    list.source.refresh();

    list.source.moveLast();
    QCOMPARE(list.currentInvoice(), invoices);
    QVERIFY(list.showsCurrentRecord());
    QVERIFY(list.source.model()->rowCount() <= RecordSourceModel::PageSize);
    list.source.movePrevious();
    QCOMPARE(list.currentInvoice(), invoices - 1);

    QVERIFY(list.source.findFirst("po_num", invoices / 2));
    QCOMPARE(list.currentInvoice(), invoices / 2);
    QVERIFY(list.showsCurrentRecord());
    // Up from the first row kept reads the rows before it.
    const int top = list.source.model()->value(0, "po_num").toInt();
    list.grid->setCurrentIndex(list.source.model()->index(0, 0));
    QTest::qWait(1);
    QTest::keyClick(list.grid, Qt::Key_Up);
    QCOMPARE(list.source.field("po_num").toInt(), top - 1);
    QVERIFY(list.showsCurrentRecord());

    list.source.moveFirst();
    QCOMPARE(list.grid->currentIndex().row(), 0);
    QCOMPARE(list.currentInvoice(), 1);
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
