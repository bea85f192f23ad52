#include "support/clinicrows.h"
#include "support/reportpages.h"
#include "support/testenv.h"

#include "app/runsettings.h"
#include "core/apperror.h"
#include "db/clinic/payments.h"
#include "db/engine/connection.h"
#include "invoices/invoicereport.h"
#include "reportengine/reportlayout.h"
#include "reportengine/reportparts.h"
#include "reportengine/reportpreview.h"
#include "reports/reportinstances.h"

#include "reportengine/pageview.h"
#include <QTest>

namespace {

const QString kNoInvoice = "There is no invoice available to print!";
const QString kRiyal = QString::fromUtf8("ر.س.") + QChar(0x200F) + " ";

// An invoice of today; its number as the report is asked for it.
QString addTodaysInvoice(const QString& file, int total, int due) {
    return QString::number(addInvoice(file, "06/12/2026", total, due));
}

void addLine(const QString& invoice, const QString& code, const QString& description, int amount) {
    addInvoiceLine(invoice.toInt(), code, description, amount);
}

QVariant column(const RowSet& rows, int row, const QString& name) {
    return rows.row(row).at(rows.columnIndex(name));
}

Page invoicePage(RowSet& rows) {
    return layoutReport(reportByName("po_rep"), rows).pages.at(0);
}

QString caption(const QString& label) {
    return reportByName("po_rep").control(label)->caption;
}

} // namespace

class InvoiceReportTest : public QObject {
    Q_OBJECT
  private slots:
    void linesAreNumberedInTheOrderTheyWereStored();
    void headerLabelsAndMoneyAreFilledFromTheFirstRow();
    void linesOfOtherInvoicesAreNeitherShownNorCounted();
    void unknownInvoiceSaysSoAndPrintsNothing();
    void invoiceWithoutLinesPrintsOneEmptyLineNumberedZero();
    void invoiceWhosePatientIsMissingStillPrints();
    void fileNumberSharedByTwoFilesDoesNotDoubleTheLines();
    void numberThatIsNotANumberIsADatabaseErrorAndChangesNothing();
    void labelsMatchColumnsWhateverTheirCase();
    void previewShowsTheInvoiceModally();
};

void InvoiceReportTest::linesAreNumberedInTheOrderTheyWereStored() {
    TestEnv env;
    env.createDatabase();
    addPatient({{"file_num", "A100"}, {"pt_name", "Salem Ali"}, {"pt_address", "Riyadh"}});
    const QString number = addTodaysInvoice("A100", 1500, 500);
    addLine(number, "03", "Consultation", 1000);
    addLine(number, "01", "X-Ray", 300);
    addLine(number, "02", "Dressing", 200);

    RowSet rows = PrepareInvoiceReport(AppSettings(), " " + number + " ");
    QCOMPARE(rows.columns(), QStringList({"xxx", "name", "adrr", "file_p", "invo", "dater", "tot",
                                          "netd", "paym", "descr2", "amount2", "code2"}));
    QCOMPARE(rows.rowCount(), 3);
    const Page page = invoicePage(rows);
    QStringList numbers, codes, descriptions, amounts;
    for (const PlacedText& t : textsOf(page, "Text1"))
        numbers << t.text;
    for (const PlacedText& t : textsOf(page, "Text2"))
        codes << t.text;
    for (const PlacedText& t : textsOf(page, "Text3"))
        descriptions << t.text;
    for (const PlacedText& t : textsOf(page, "Text4"))
        amounts << t.text;
    QCOMPARE(numbers, QStringList({"1", "2", "3"}));
    QCOMPARE(codes, QStringList({"03", "01", "02"}));
    QCOMPARE(descriptions, QStringList({"Consultation", "X-Ray", "Dressing"}));
    QCOMPARE(amounts, QStringList({kRiyal + "1,000.00", kRiyal + "300.00", kRiyal + "200.00"}));
}

void InvoiceReportTest::headerLabelsAndMoneyAreFilledFromTheFirstRow() {
    TestEnv env;
    env.createDatabase();
    AppSettings().letterhead = DefaultLetterhead();
    addPatient({{"file_num", "A100"},
                {"pt_name", QString::fromUtf8("محمد عبدالله")},
                {"pt_address", "Olaya Street"}});
    const QString number = addTodaysInvoice("A100", 1500, 500);
    addLine(number, "01", "Consultation", 1500);
    reportByName("po_rep").control("credit1")->caption = "X";
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] { recordInvoiceKind(db, number.toInt(), "Cash"); });

    RowSet rows = PrepareInvoiceReport(AppSettings(), number);
    QCOMPARE(rows.rowCount(), 1);
    QCOMPARE(caption("tot"), QString("1,500.00"));
    QCOMPARE(caption("paym"), QString("1,000.00"));
    QCOMPARE(caption("netd"), QString("500.00"));
    QCOMPARE(caption("name"), QString::fromUtf8("محمد عبدالله"));
    QCOMPARE(caption("adrr"), QString("Olaya Street"));
    QCOMPARE(caption("file_p"), QString("A100"));
    QCOMPARE(caption("invo"), number);
    QCOMPARE(caption("dater"), QString("06/12/2026"));
    // The payment kind has no column: the marks show the kind the invoice was saved with.
    QCOMPARE(caption("cash"), QString("X"));
    QCOMPARE(caption("credit1"), QString());
    QCOMPARE(caption("parti1"), QString());
    const Report& report = reportByName("po_rep");
    QCOMPARE(report.margins.left, 300);
    QCOMPARE(report.margins.right, 300);
    QVERIFY(report.control("name")->canGrow);

    const Page page = invoicePage(rows);
    QCOMPARE(textOf(page, "tot"), QString("1,500.00"));
    QVERIFY(textsOf(page, "name")[0].rightToLeft);
    QVERIFY(textsOf(page, "netd")[0].rect.top() > textsOf(page, "paym")[0].rect.top());
    reportByName("po_rep").control("cash")->caption.clear();
}

void InvoiceReportTest::linesOfOtherInvoicesAreNeitherShownNorCounted() {
    TestEnv env;
    env.createDatabase();
    const QString first = addTodaysInvoice("A100", 30, 0);
    const QString second = addTodaysInvoice("A100", 20, 0);
    addLine(first, "01", "first a", 10);
    addLine(second, "01", "second a", 10);
    addLine(first, "02", "first b", 10);
    addLine(second, "02", "second b", 10);
    addLine(first, "03", "first c", 10);

    RowSet rows = PrepareInvoiceReport(AppSettings(), second);
    QCOMPARE(rows.rowCount(), 2);
    QCOMPARE(column(rows, 0, "descr2").toString(), QString("second a"));
    QCOMPARE(column(rows, 1, "descr2").toString(), QString("second b"));
    QCOMPARE(column(rows, 0, "xxx").toInt(), 1);
    QCOMPARE(column(rows, 1, "xxx").toInt(), 2);
    QCOMPARE(column(rows, 1, "invo").toString(), second);
}

void InvoiceReportTest::unknownInvoiceSaysSoAndPrintsNothing() {
    TestEnv env;
    env.createDatabase();
    addTodaysInvoice("A100", 10, 0);
    env.dialogs.expectMessage(kNoInvoice);
    QCOMPARE(PrepareInvoiceReport(AppSettings(), "999").rowCount(), 0);
    // No printer is asked for: the message is the only thing that happens.
    env.dialogs.expectMessage(kNoInvoice);
    QVERIFY(!PrintInvoice(AppSettings(), "999"));
    env.dialogs.expectMessage(kNoInvoice);
    QVERIFY(!PreviewInvoice(AppSettings(), "1.5"));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
}

void InvoiceReportTest::invoiceWithoutLinesPrintsOneEmptyLineNumberedZero() {
    TestEnv env;
    env.createDatabase();
    addPatient({{"file_num", "A100"}, {"pt_name", "Salem Ali"}, {"pt_address", "Riyadh"}});
    const QString number = addTodaysInvoice("A100", 0, 0);

    RowSet rows = PrepareInvoiceReport(AppSettings(), number);
    QCOMPARE(rows.rowCount(), 1);
    QCOMPARE(column(rows, 0, "xxx").toInt(), 0);
    QVERIFY(column(rows, 0, "descr2").isNull());
    QCOMPARE(caption("tot"), QString("0.00"));
    const Page page = invoicePage(rows);
    QCOMPARE(textOf(page, "Text1"), QString("0"));
    QVERIFY(textsOf(page, "Text3").empty());
    QVERIFY(textsOf(page, "Text4").empty());
    QCOMPARE(textOf(page, "name"), QString("Salem Ali"));
}

void InvoiceReportTest::invoiceWhosePatientIsMissingStillPrints() {
    TestEnv env;
    env.createDatabase();
    const QString number = addTodaysInvoice("GONE", 700, 700);
    addLine(number, "05", "Follow-up", 700);

    RowSet rows = PrepareInvoiceReport(AppSettings(), number);
    QCOMPARE(rows.rowCount(), 1);
    QCOMPARE(caption("name"), QString());
    QCOMPARE(caption("adrr"), QString());
    QCOMPARE(caption("file_p"), QString("GONE"));
    QCOMPARE(caption("paym"), QString("0.00"));
    const Page page = invoicePage(rows);
    QVERIFY(textsOf(page, "name").empty());
    QCOMPARE(textOf(page, "Text3"), QString("Follow-up"));
}

void InvoiceReportTest::fileNumberSharedByTwoFilesDoesNotDoubleTheLines() {
    TestEnv env;
    env.createDatabase();
    addPatient({{"file_num", "A100"}, {"pt_name", "First File"}, {"pt_address", "Riyadh"}});
    addPatient({{"file_num", "A100"}, {"pt_name", "Second File"}, {"pt_address", "Jeddah"}});
    const QString number = addTodaysInvoice("A100", 20, 0);
    addLine(number, "01", "one", 10);
    addLine(number, "02", "two", 10);

    RowSet rows = PrepareInvoiceReport(AppSettings(), number);
    QCOMPARE(rows.rowCount(), 2);
    QCOMPARE(caption("name"), QString("First File"));
}

void InvoiceReportTest::numberThatIsNotANumberIsADatabaseErrorAndChangesNothing() {
    TestEnv env;
    env.createDatabase();
    const QString number = addTodaysInvoice("A100", 10, 0);
    for (const QString bad : {"", "   ", "12abc", "1; DELETE FROM pt_sh", "1 or 1=1", "inf"}) {
        try {
            PrepareInvoiceReport(AppSettings(), bad);
            QFAIL(qPrintable("\"" + bad + "\" was taken for an invoice number"));
        } catch (const AppError& error) {
            QCOMPARE(error.number(), 3075);
            QVERIFY(error.description().startsWith("Syntax error (missing operator)"));
        }
    }
    QSqlQuery count = runQuery(clinicDatabase(), "select count(*) from pt_sh");
    QVERIFY(count.next());
    QCOMPARE(count.value(0).toInt(), 1);
    QCOMPARE(PrepareInvoiceReport(AppSettings(), "+" + number).rowCount(), 1);
}

void InvoiceReportTest::labelsMatchColumnsWhateverTheirCase() {
    TestEnv env;
    Report report = emptyReport("labels", "Labels", 9000);
    report.sections[PageHeader].controls = {label("TOT", "design", QRect(0, 0, 2000, 300)),
                                            label("Name", "design", QRect(0, 300, 2000, 300)),
                                            label("netd", "design", QRect(0, 600, 2000, 300)),
                                            label("paym", "design", QRect(0, 900, 2000, 300)),
                                            label("cash", "X", QRect(0, 1200, 2000, 300))};
    report.sections[Detail].controls = {textBox("tot", "tot", QRect(0, 0, 2000, 300))};
    const RowSet rows({"name", "tot", "netd", "paym"},
                      {{"Salem", 1234567, "n/a", QVariant()}, {"Other", 1, 1, 1}});
    fillLabelsFromFirstRow(report, rows);
    QCOMPARE(report.control("TOT")->caption, QString("1,234,567.00"));
    QCOMPARE(report.control("Name")->caption, QString("Salem"));
    QCOMPARE(report.control("netd")->caption, QString());
    QCOMPARE(report.control("paym")->caption, QString());
    QCOMPARE(report.control("cash")->caption, QString("X"));
    QCOMPARE(report.sections[Detail].controls[0].caption, QString());
}

void InvoiceReportTest::previewShowsTheInvoiceModally() {
    TestEnv env;
    env.createDatabase();
    const QString number = addTodaysInvoice("A100", 10, 0);
    addLine(number, "01", "one", 10);
    QString title;
    int pages = 0;
    const ModalWatch watch([&](QWidget* window) {
        auto* preview = qobject_cast<ReportPreview*>(window);
        QVERIFY(preview);
        title = preview->windowTitle();
        pages = preview->view()->pageCount();
    });
    QVERIFY(PreviewInvoice(AppSettings(), number));
    QCOMPARE(title, QString("Invoice"));
    QCOMPARE(pages, 1);
}

QTEST_MAIN(InvoiceReportTest)
#include "test_invoicereport.moc"
