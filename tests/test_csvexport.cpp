#include "support/clinicrows.h"
#include "support/reportpages.h"
#include "support/smalldisk.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "db/clinic/payments.h"
#include "db/engine/connection.h"
#include "patients/patientreports.h"
#include "reportengine/reportcsv.h"
#include "reports/layouts.h"
#include "reports/moneyreports.h"
#include "reports/periodicreportsdialog.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace {

const QString kCsvFilter = "CSV Files (*.csv)|*.csv";

// Names as the clinic types them: apostrophes, commas, quotes, a line break, Arabic.
const QStringList kNames = {"O'Brien, Jr.", "say \"hello\"", "first line\nsecond line",
                            "محمد العلي", "plain"};

// The file as a spreadsheet program reads it: Python's own CSV reader, after the byte-order
// mark.
QList<QStringList> readCsv(const QString& path) {
    const QString script = "import csv, json, sys\n"
                           "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                           "    print(json.dumps(list(csv.reader(f))))\n";
    const QJsonArray rows =
        QJsonDocument::fromJson(toolOutput("python3", {"-c", script, path}).toUtf8()).array();
    QList<QStringList> result;
    for (const QJsonValue& row : rows) {
        QStringList fields;
        for (const QJsonValue& field : row.toArray())
            fields << field.toString();
        result << fields;
    }
    return result;
}

QList<QStringList> split(const QStringList& rows) {
    QList<QStringList> result;
    for (const QString& row : rows)
        result << row.split('|');
    return result;
}

QStringList headingsOf(const QTableView* grid) {
    QStringList headings;
    for (int column = 0; column < grid->model()->columnCount(); ++column)
        headings << grid->model()->headerData(column, Qt::Horizontal).toString();
    return headings;
}

// The grid's context menu item, answered with the path.
void exportGrid(TestEnv& env, QTableView* grid, const QString& path) {
    env.dialogs.expectSaveFile(kCsvFilter, path);
    auto* item = grid->findChild<QAction*>("actExportCsv");
    QVERIFY(item);
    QCOMPARE(item->text(), QString("Export to CSV..."));
    QCOMPARE(grid->contextMenuPolicy(), Qt::CustomContextMenu);
    item->trigger();
}

// The list as exported: a byte-order mark, the grid's headings, then the rows.
void checkExport(const QString& path, const QTableView* grid, const QStringList& expectedRows) {
    QVERIFY(readFile(path).startsWith("\xEF\xBB\xBF"));
    QVERIFY(readFile(path).contains("\r\n"));
    const QList<QStringList> rows = readCsv(path);
    QVERIFY(!rows.isEmpty());
    QCOMPARE(rows.first(), headingsOf(grid));
    QCOMPARE(rows.mid(1), split(expectedRows));
}

void addClinic() {
    for (int i = 0; i < kNames.size(); ++i) {
        const QString file = "F" + QString::number(i + 1);
        addPatient({{"file_num", file}, {"pt_name", kNames[i]}, {"temporary", 0}});
        addProcedure(QString("%1").arg(i + 10), kNames[i], 1500 + i);
        const int invoice = addInvoice(file, "06/12/2026", 1500 + i, i % 2 ? 0 : 250);
        addInvoiceLine(invoice, QString::number(i + 10), kNames[i], 1500 + i);
    }
}

} // namespace

class CsvExportTest : public QObject {
    Q_OBJECT
  private slots:
    void everyListRoundTripsThroughACsvReader();
    void cancelledExportLeavesNoFile();
    void exportToAFullDiskLeavesNoFileAndSaysWhy();
    void reportsExportTheirListsFromThePreview();
    void moneyReportsExportTextAsTextInReadingOrder();
};

void CsvExportTest::everyListRoundTripsThroughACsvReader() {
    TestEnv env;
    env.createDatabase();
    addClinic();
    registerScreens(AppSettings());
    const QString out = env.makeDir("out");
    // A field holding the separator, the quote or a line break is quoted; the rest stand bare.
    const QString header = "File No.,Name\r\nF1,\"O'Brien, Jr.\"\r\nF2,\"say \"\"hello\"\"\"\r\n";

    QWidget* search = showScreen(Screen::PatientSearch);
    exportGrid(env, grid(search, "DBGrid1"), out + "/patients.csv");
    QVERIFY(readFile(out + "/patients.csv").startsWith("\xEF\xBB\xBF" + header.toUtf8()));
    checkExport(out + "/patients.csv", grid(search, "DBGrid1"),
                rowsOf("select file_num, pt_name from per_inf_data order by id"));
    search->close();

    QWidget* catalog = showScreen(Screen::Catalog);
    exportGrid(env, grid(catalog, "DBGrid1"), out + "/catalog.csv");
    checkExport(out + "/catalog.csv", grid(catalog, "DBGrid1"),
                rowsOf("select id, code, descrip, amount from file_desc order by id"));
    catalog->close();

    QWidget* list = showScreen(Screen::InvoiceList);
    const QString listColumns = "select per_inf_data.file_num, pt_name, po_num, po_date, po_pri, "
                                "po_netd from per_inf_data, pt_sh where "
                                "per_inf_data.file_num = pt_sh.file_num ";
    exportGrid(env, grid(list, "DBGrid1"), out + "/pending.csv");
    checkExport(out + "/pending.csv", grid(list, "DBGrid1"),
                rowsOf(listColumns + "and po_netd > 0 order by po_num"));
    trigger(list, "mnuAll");
    exportGrid(env, grid(list, "DBGrid1"), out + "/all.csv");
    checkExport(out + "/all.csv", grid(list, "DBGrid1"), rowsOf(listColumns + "order by po_num"));
    // Amounts are the whole numbers stored, not the currency the grid shows.
    QCOMPARE(readCsv(out + "/all.csv")[1].mid(3), QStringList({"06/12/2026", "1500", "250"}));

    doubleClickRow(grid(list, "DBGrid1"), 3);
    exportGrid(env, grid(list, "DBGrid2"), out + "/lines.csv");
    checkExport(out + "/lines.csv", grid(list, "DBGrid2"),
                rowsOf("select descr2, file_p, amount2, code2, po_num from po_descs where po_num "
                       "= 4 order by id"));
    QCOMPARE(readCsv(out + "/lines.csv")[1].first(), QString("محمد العلي"));
    list->close();
}

// A list longer than a page, given up on at its first page: no file, not even a part of one.
void CsvExportTest::cancelledExportLeavesNoFile() {
    TestEnv env;
    env.createDatabase();
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&db] {
        for (int i = 0; i < 6000; ++i)
            addPatient({{"file_num", QString::number(i)}, {"pt_name", "patient"}}, db);
    });
    registerScreens(AppSettings());
    const QString out = env.makeDir("out");
    QWidget* search = showScreen(Screen::PatientSearch);
    env.dialogs.cancelProgressAt(1);
    exportGrid(env, grid(search, "DBGrid1"), out + "/patients.csv");
    QCOMPARE(env.dialogs.progressShown(), QStringList({"Exporting 4,096 rows"}));
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList());

    exportGrid(env, grid(search, "DBGrid1"), out + "/patients.csv");
    QCOMPARE(readCsv(out + "/patients.csv").size(), 6001);
    QCOMPARE(env.dialogs.progressShown().last(), QString("Exporting 6,000 rows"));
    search->close();
}

// A disk with 4 KB free: no file cut off mid-row under its name, the user is told why and the log
// keeps it.
void CsvExportTest::exportToAFullDiskLeavesNoFileAndSaysWhy() {
    TestEnv env;
    env.createDatabase();
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&db] {
        for (int i = 0; i < 3000; ++i)
            addPatient({{"file_num", QString::number(i)}, {"pt_name", "patient"}}, db);
    });
    registerScreens(AppSettings());
    const SmallDisk disk(env.root() + "/usb", 256);
    QVERIFY(disk.mounted());
    disk.fillLeaving(4096);
    QWidget* search = showScreen(Screen::PatientSearch);
    const QString path = disk.path() + "/patients.csv";
    env.dialogs.expectSaveFile(kCsvFilter, path);
    env.dialogs.expectMessage("The file " + path +
                              " could not be written (No space left on device).");
    grid(search, "DBGrid1")->findChild<QAction*>("actExportCsv")->trigger();
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList{".filler"});
    QVERIFY(env.log().contains("error (Export) : 75 -> The file " + path));
    search->close();
}

void CsvExportTest::reportsExportTheirListsFromThePreview() {
    TestEnv env;
    env.createDatabase();
    addClinic();
    addPatient({{"file_num", "T1"}, {"pt_nationality", "SAUDI"}, {"temporary", 1}});
    registerScreens(AppSettings());
    const QString out = env.makeDir("out");

    PeriodicReportsDialog dialog(AppSettings());
    dialog.show();
    PrepareReport(reportByName("rep_day"), AppSettings());
    QTest::keyClicks(child<QLineEdit>(&dialog, "text1"), "06122026");
    const ModalWatch daily([&](QWidget* preview) {
        env.dialogs.expectSaveFile(kCsvFilter, out + "/daily.csv");
        trigger(preview, "actExportCsv");
    });
    click(&dialog, "SSCommand1");
    QVERIFY(daily.seen());
    QList<QStringList> expected{{"File Number", "Invoice No", "Date", "Amount", "Due"}};
    expected += split(rowsOf("select file_num, po_num, po_date, po_pri, po_netd from pt_sh "
                             "order by po_num"));
    QCOMPARE(readCsv(out + "/daily.csv"), expected);

    const ModalWatch count([&](QWidget* preview) {
        env.dialogs.expectSaveFile(kCsvFilter, out + "/count.csv");
        trigger(preview, "actExportCsv");
    });
    previewNationalityCount(AppSettings(), &dialog);
    QVERIFY(count.seen());
    const QList<QStringList> rows = readCsv(out + "/count.csv");
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.first(), QStringList({"Nationality", "Count", "Temproary Patients"}));
    QVERIFY(rows.contains(QStringList({"SAUDI", "1", "Yes"})));
    // The files without a nationality are counted as the report counts them: none.
    QVERIFY(rows.contains(QStringList({"", "0", "No"})));
}

// The accountant's two reports leave their previews as CSV; a name that a spreadsheet would take
// for a formula stays text, amounts and dates stay plain, and a mirrored report keeps the
// columns in reading order.
void CsvExportTest::moneyReportsExportTextAsTextInReadingOrder() {
    TestEnv env;
    env.createDatabase();
    addPatient({{"file_num", "F1"}, {"pt_name", "=1+1"}});
    addPatient({{"file_num", "@F2"}, {"pt_name", "-Omar"}});
    addInvoice("F1", "06/12/2026", 500, 0);
    addInvoice("@F2", "06/12/2026", 300, 0);
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] {
        recordPayment(db, {1, "F1", QDate(2026, 12, 6), 600, "Cash"});
        recordPayment(db, {1, "F1", QDate(2026, 12, 6), -100, "Card"});
        recordPayment(db, {2, "@F2", QDate(2026, 12, 6), 300, "Cheque"});
    });
    const QString out = env.makeDir("out");
    const auto exported = [&](const QString& name,
                              const std::function<void()>& show) -> QList<QStringList> {
        const ModalWatch watch([&](QWidget* preview) {
            env.dialogs.expectSaveFile(kCsvFilter, out + "/" + name);
            trigger(preview, "actExportCsv");
        });
        show();
        if (!watch.seen())
            qFatal("%s: no preview", qPrintable(name));
        return readCsv(out + "/" + name);
    };
    QWidget parent;
    QCOMPARE(
        exported("cashbook.csv",
                 [&] {
                     produceCashBook(AppSettings(), ReportPeriod::Day, "06/12/2026", false,
                                     &parent);
                 }),
        QList<QStringList>({{"Date", "Invoice No", "File No", "Patient Name", "Kind", "Amount"},
                            {"06/12/2026", "1", "F1", "'=1+1", "Cash", "600"},
                            {"06/12/2026", "1", "F1", "'=1+1", "Card", "-100"},
                            {"06/12/2026", "2", "'@F2", "'-Omar", "Cheque", "300"}}));
    const QList<QStringList> statement =
        exported("statement.csv", [&] { previewStatement(AppSettings(), "F1", &parent); });
    QCOMPARE(statement.first(), QStringList({"Date", "Invoice No", "Entry", "Lines Total",
                                             "Charged", "Paid", "Balance"}));
    QCOMPARE(statement.mid(1),
             QList<QStringList>({{"06/12/2026", "1", "Invoice", "", "500", "", "500"},
                                 {"06/12/2026", "1", "Payment, Cash", "", "", "600", "-100"},
                                 {"06/12/2026", "1", "Refund, Card", "", "", "-100", "0"}}));

    for (Report report : {cashBookLayout(), statementLayout()}) {
        QStringList fields;
        for (const ReportColumn& column : reportColumns(report))
            fields << column.field;
        report.mirror();
        QStringList mirroredFields;
        for (const ReportColumn& column : reportColumns(report))
            mirroredFields << column.field;
        QCOMPARE(mirroredFields, fields);
    }
}

QTEST_MAIN(CsvExportTest)
#include "test_csvexport.moc"
