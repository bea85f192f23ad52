#include "support/clinicrows.h"
#include "support/reportpages.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "core/programdir.h"
#include "db/clinic/invoiceremoval.h"
#include "db/clinic/paymentreports.h"
#include "db/clinic/payments.h"
#include "db/engine/connection.h"
#include "db/engine/dialect.h"
#include "db/upkeep/paymentsupgrade.h"
#include "invoices/invoicelistscreen.h"
#include "invoices/invoicereport.h"
#include "invoices/invoicescreen.h"
#include "patients/patientfilescreen.h"
#include "reportengine/lazyreport.h"
#include "reportengine/reportoutput.h"
#include "reportengine/reportpreview.h"
#include "reports/periodicreportsdialog.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"
#include "screens/screens.h"
#include "upkeep/databaseprocedures.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {

const QStringList kKinds = {"Cash", "Card", "Bank transfer", "Cheque"};
const QString kPayments =
    "SELECT po_num, file_num, pay_date, pay_day, amount, kind, carried_over FROM payments "
    "ORDER BY id";

QString received(qint64 amount) {
    return QString("Payment received today: %1\nPaid in :").arg(amount);
}
QString refunded(qint64 amount) {
    return QString("Amount paid lowered: %1 paid back today\nPaid back in :").arg(amount);
}

void addLine(QWidget* screen, const QString& code) {
    typeInto(screen, "text4", code, "Text6");
    click(screen, "SSCommand1");
}

// The footer lines of a cash book: each total's caption and sum.
QList<QStringList> cashBookTotals(const LaidOutReport& book) {
    QList<QStringList> totals;
    for (int n = 1; n <= 7; ++n)
        totals << reportRows(book, {QString("Total%1").arg(n), QString("Function%1").arg(n)});
    return totals;
}

QString folded(QString text) {
    text = text.normalized(QString::NormalizationForm_KC);
    text.remove(QRegularExpression("[\\x{200E}\\x{200F}\\x{202A}-\\x{202E}]"));
    return text;
}

} // namespace

class PaymentsTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void okRecordsThePaymentTakenAndTheKind_data();
    void okRecordsThePaymentTakenAndTheKind();
    void aFailedPaymentLeavesNoPartOfTheInvoice();
    void invoiceListRecordsEachChangeOfTheAmountPaid();
    void invoiceListWithoutAKindStoresNothing();
    void aNetDueBelowZeroIsStoredOnlyWhenConfirmed();
    void aFailedPaymentLeavesTheNetDueAsItWas();
    void invoiceListRefusesAFractionOfMoney();
    void deletingAnInvoiceReversesItsPaymentsOnTheDayOfTheDeletion();
    void patientFileGridAsksTooAndWritesNothingWithoutAKind();
    void theInvoicePrintsItsPaymentKind();
    void upgradeCarriesOverThePaymentsToDate();
    void upgradeLeavesAFileWithPaymentsAlone();
    void upgradeAddsTheIndexOfPaymentsByFile();
    void cashBookListsThePaymentsOfThePeriodWithTotalsPerKind();
    void cashBookTotalsAreExactBeyondAFloatingPoint();
    void statementFromThePatientFileEndsOnTheNetDue();
    void statementPdfPrintsArabicNames();
    void moneyReportsNumberTheirPages_data();
    void moneyReportsNumberTheirPages();

  private:
    std::unique_ptr<TestEnv> env_;
};

void PaymentsTest::init() {
    env_ = std::make_unique<TestEnv>();
    env_->createDatabase();
    standInForMainWindow();
    Screens::registerFactory(Screen::Invoice, [] { return new InvoiceScreen(AppSettings()); });
    Screens::registerFactory(Screen::InvoiceList,
                             [] { return new InvoiceListScreen(AppSettings()); });
    Screens::registerFactory(Screen::PatientFile,
                             [] { return new PatientFileScreen(AppSettings()); });
    Screens::registerFactory(Screen::OpenFile, [] { return new QWidget; });
    addProcedure("10", "Consultation", 100);
    addProcedure("20", "X-ray", 50);
}

void PaymentsTest::cleanup() {
    QVERIFY2(env_->dialogs.allAnswered(), qPrintable(env_->dialogs.report()));
    env_.reset();
}

void PaymentsTest::okRecordsThePaymentTakenAndTheKind_data() {
    QTest::addColumn<QString>("paid");
    QTest::addColumn<QString>("terms");
    QTest::addColumn<QString>("paidIn");
    QTest::addColumn<QStringList>("payments");
    QTest::addColumn<QString>("kept");
    QTest::newRow("part by card") << "100"
                                  << "Option3"
                                  << "Card" << QStringList{"1|7|06/12/2026|2026-12-06|100|Card|0"}
                                  << "1|Partial";
    QTest::newRow("in full by cheque")
        << "150"
        << "Option1"
        << "Cheque" << QStringList{"1|7|06/12/2026|2026-12-06|150|Cheque|0"} << "1|Cash";
    QTest::newRow("on credit, nothing paid") << "0"
                                             << "Option2"
                                             << "" << QStringList() << "1|Credit";
}

// The options are the invoice's terms; how the money came in is asked beside the payment, and
// only while something is paid.
void PaymentsTest::okRecordsThePaymentTakenAndTheKind() {
    QFETCH(QString, paid);
    QFETCH(QString, terms);
    QFETCH(QString, paidIn);
    QFETCH(QStringList, payments);
    QFETCH(QString, kept);
    runQuery(clinicDatabase(), "INSERT INTO inv_rep_data (file_p, name, adrr) VALUES (?, ?, ?)",
             {"7", "Huda Saleh", "Riyadh"});
    QWidget* screen = showActiveScreen(Screen::Invoice);
    box(screen, "mask1")->setText("05/12/2026"); // written a day late: paid today
    addLine(screen, "10");
    addLine(screen, "20");
    auto* paidInBox = child<QComboBox>(screen, "cboPaidIn");
    QCOMPARE(paidInBox->currentText(), "Cash");
    typeInto(screen, "text9", paid, "Option1");
    QCOMPARE(paidInBox->isEnabled(), !paidIn.isEmpty());
    if (!paidIn.isEmpty())
        paidInBox->setCurrentText(paidIn);
    chooseOption(screen, terms);
    click(screen, "SSCommand2_OK");
    QCOMPARE(rowsOf("SELECT po_num, po_pri, po_netd FROM pt_sh"),
             QStringList{"1|150|" + QString::number(150 - paid.toInt())});
    QCOMPARE(rowsOf(kPayments), payments);
    QCOMPARE(rowsOf("SELECT po_num, kind FROM invoice_kinds"), QStringList{kept});
}

void PaymentsTest::aFailedPaymentLeavesNoPartOfTheInvoice() {
    runQuery(clinicDatabase(), "INSERT INTO inv_rep_data (file_p, name, adrr) VALUES (?, ?, ?)",
             {"7", "Huda Saleh", "Riyadh"});
    QWidget* screen = showActiveScreen(Screen::Invoice);
    addLine(screen, "10");
    failWritesTo("payments", "INSERT", "disk I/O error");
    env_->dialogs.expectMessage("disk I/O error");
    click(screen, "SSCommand2_OK");
    QCOMPARE(countOf("pt_sh"), 0);
    QCOMPARE(countOf("po_descs"), 0);
    QCOMPARE(countOf("invoice_kinds"), 0);
    QCOMPARE(countOf("payments"), 0);
    QCOMPARE(rowsOf("SELECT invo FROM inv_rep_data"), QStringList{""});
    QCOMPARE(countOf("po_desc"), 1);
    QVERIFY(child(screen, "SSCommand2_OK")->isVisible());

    allowWritesTo("payments");
    click(screen, "SSCommand2_OK");
    QCOMPARE(countOf("pt_sh"), 1);
    // A server's counter does not give back the number of a save that failed.
    const QString number = rowsOf("SELECT po_num FROM pt_sh").first();
    QCOMPARE(rowsOf("SELECT po_num, amount, kind FROM payments"),
             QStringList{number + "|100|Cash"});
}

void PaymentsTest::invoiceListRecordsEachChangeOfTheAmountPaid() {
    addPatient({{"file_num", "7"}, {"pt_name", "Huda Saleh"}});
    addInvoice("7", "15/03/2026", 1000, 400);
    QWidget* list = showActiveScreen(Screen::InvoiceList);
    clickRow(grid(list, "DBGrid1"), 0);
    QCOMPARE(box(list, "Text1")->text(), "1");

    // The rest paid in part on 2 May, by card.
    setToday(QDate(2026, 5, 2));
    typeAndTab(list, "Text6", "100");
    env_->dialogs.expectChoice(received(300), "Payment", kKinds, "Cash", "Card");
    click(list, "SSCommand1");
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh").toInt(), 100);
    QCOMPARE(rowsOf(kPayments), QStringList{"1|7|02/05/2026|2026-05-02|300|Card|0"});

    // The net due raised again the next day: money paid back.
    setToday(QDate(2026, 5, 3));
    typeAndTab(list, "Text6", "250");
    env_->dialogs.expectChoice(refunded(150), "Payment", kKinds, "Cash", "Cash");
    click(list, "SSCommand1");
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh").toInt(), 250);
    QCOMPARE(rowsOf("SELECT pay_day, amount, kind FROM payments WHERE id = 2"),
             QStringList{"2026-05-03|-150|Cash"});

    // A corrected amount with the net due lowered by as much takes no money: nothing is asked.
    typeAndTab(list, "Text3", "900");
    typeAndTab(list, "Text6", "150");
    click(list, "SSCommand1");
    QCOMPARE(rowsOf("SELECT po_pri, po_netd FROM pt_sh"), QStringList{"900|150"});
    QCOMPARE(countOf("payments"), 2);

    // The amount lowered alone: the net due did not rise, yet money goes back.
    typeAndTab(list, "Text3", "850");
    env_->dialogs.expectChoice(refunded(50), "Payment", kKinds, "Cash", "Cash");
    click(list, "SSCommand1");
    QCOMPARE(valueIn("SELECT sum(amount) FROM payments").toLongLong(),
             valueIn("SELECT sum(po_pri - po_netd) FROM pt_sh").toLongLong() - 600);
}

// 80 paid on an invoice of 50, at the invoice screen, then a net due typed below zero in the
// invoice list: each is asked first, No leaves nothing stored and the focus where it is mended.
void PaymentsTest::aNetDueBelowZeroIsStoredOnlyWhenConfirmed() {
    addPatient({{"file_num", "7"}, {"pt_name", "Huda Saleh"}});
    runQuery(clinicDatabase(), "INSERT INTO inv_rep_data (file_p, name, adrr) VALUES (?, ?, ?)",
             {"7", "Huda Saleh", "Riyadh"});
    QWidget* screen = showActiveScreen(Screen::Invoice);
    addLine(screen, "20");
    typeInto(screen, "text9", "80", "Option1");
    const QString question = "The net due would be -30: 30 more is paid than the amount of 50."
                             "\nSave it so?";
    env_->dialogs.expectQuestion(question, Dialogs::Answer::No, Dialogs::Icon::Question);
    click(screen, "SSCommand2_OK");
    QCOMPARE(countOf("pt_sh"), 0);
    QCOMPARE(countOf("payments"), 0);
    QCOMPARE(QApplication::focusWidget(), child(screen, "text9"));
    env_->dialogs.expectQuestion(question, Dialogs::Answer::Yes, Dialogs::Icon::Question);
    click(screen, "SSCommand2_OK");
    QCOMPARE(rowsOf("SELECT po_pri, po_netd FROM pt_sh"), QStringList{"50|-30"});
    QCOMPARE(rowsOf("SELECT amount FROM payments"), QStringList{"80"});
    click(screen, "SSCommand5_Quit");

    addInvoice("7", "15/03/2026", 1000, 400);
    QWidget* list = showActiveScreen(Screen::InvoiceList);
    retype(list, "Text1", "2");
    QTest::keyClick(box(list, "Text1"), Qt::Key_Return);
    typeAndTab(list, "Text6", "-5");
    env_->dialogs.expectQuestion(
        "The net due would be -5: 5 more is paid than the amount of 1000.\nSave it so?",
        Dialogs::Answer::No, Dialogs::Icon::Question);
    click(list, "SSCommand1");
    QCOMPARE(QApplication::focusWidget(), child(list, "Text6"));
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh WHERE po_num = 2").toInt(), 400);
    QCOMPARE(countOf("payments"), 1);
}

void PaymentsTest::invoiceListWithoutAKindStoresNothing() {
    addPatient({{"file_num", "7"}, {"pt_name", "Huda Saleh"}});
    addInvoice("7", "15/03/2026", 1000, 400);
    QWidget* list = showActiveScreen(Screen::InvoiceList);
    typeAndTab(list, "Text6", "0");
    env_->dialogs.expectChoice(received(400), "Payment", kKinds, "Cash", std::nullopt);
    click(list, "SSCommand1");
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh").toInt(), 400);
    QCOMPARE(countOf("payments"), 0);
    QCOMPARE(box(list, "Text6")->text(), "0");
}

void PaymentsTest::aFailedPaymentLeavesTheNetDueAsItWas() {
    addPatient({{"file_num", "7"}, {"pt_name", "Huda Saleh"}});
    addInvoice("7", "15/03/2026", 1000, 400);
    QWidget* list = showActiveScreen(Screen::InvoiceList);
    typeAndTab(list, "Text6", "0");
    failWritesTo("payments", "INSERT", "database is locked");
    env_->dialogs.expectChoice(received(400), "Payment", kKinds, "Cash", "Cash");
    env_->dialogs.expectMessage("database is locked");
    click(list, "SSCommand1");
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh").toInt(), 400);
    QCOMPARE(countOf("payments"), 0);
    QCOMPARE(box(list, "Text6")->text(), "0");

    // The cause failing after the payment was written takes the payment back with it.
    allowWritesTo("payments");
    failWritesTo("pt_sh", "UPDATE", "disk I/O error");
    env_->dialogs.expectChoice(received(400), "Payment", kKinds, "Cash", "Cash");
    env_->dialogs.expectMessage("disk I/O error");
    click(list, "SSCommand1");
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh").toInt(), 400);
    QCOMPARE(countOf("payments"), 0);

    allowWritesTo("pt_sh");
    env_->dialogs.expectChoice(received(400), "Payment", kKinds, "Cash", "Cash");
    click(list, "SSCommand1");
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh").toInt(), 0);
    QCOMPARE(rowsOf("SELECT amount FROM payments"), QStringList{"400"});
}

void PaymentsTest::invoiceListRefusesAFractionOfMoney() {
    addPatient({{"file_num", "7"}, {"pt_name", "Huda Saleh"}});
    addInvoice("7", "15/03/2026", 1000, 400);
    QWidget* list = showActiveScreen(Screen::InvoiceList);
    typeAndTab(list, "Text6", "12.5");
    env_->dialogs.expectMessage("Data type conversion error: 'po_netd' takes a whole number.");
    click(list, "SSCommand1");
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh").toInt(), 400);
    QCOMPARE(countOf("payments"), 0);
}

// The patient file's invoices grid corrects invoices in place: a change of the amount paid there
// is a payment too, never a silent change.
void PaymentsTest::patientFileGridAsksTooAndWritesNothingWithoutAKind() {
    addPatient({{"file_num", "7"}, {"pt_name", "Huda Saleh"}});
    addInvoice("7", "15/03/2026", 1000, 400);
    addInvoice("7", "16/03/2026", 500, 0);
    env_->dialogs.expectInput("File Number :", "Open File", "7", QString());
    QWidget* screen = showScreen(Screen::PatientFile);
    child<QTabWidget>(screen, "SSTab1")->setCurrentIndex(1);
    QTableView* invoices = grid(screen, "DBGrid1");
    QCOMPARE(invoices->model()->rowCount(), 2);
    const auto edit = [&](int column, const QString& text) {
        invoices->setFocus();
        const QModelIndex cell = invoices->model()->index(0, column);
        invoices->setCurrentIndex(cell);
        QTest::keyClick(invoices, Qt::Key_F2);
        QWidget* editor = invoices->indexWidget(cell);
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    };
    edit(4, "600");
    env_->dialogs.expectChoice(refunded(200), "Payment", kKinds, "Cash", std::nullopt);
    env_->dialogs.expectMessage("The invoice was not changed: no kind was chosen for its payment.");
    clickRow(invoices, 1);
    QCoreApplication::processEvents();
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh WHERE po_num = 1").toInt(), 400);
    QCOMPARE(countOf("payments"), 0);
    QCOMPARE(invoices->currentIndex().row(), 0);

    env_->dialogs.expectChoice(refunded(200), "Payment", kKinds, "Cash", "Cash");
    clickRow(invoices, 1);
    QCOMPARE(valueIn("SELECT po_netd FROM pt_sh WHERE po_num = 1").toInt(), 600);
    QCOMPARE(rowsOf("SELECT po_num, amount, kind FROM payments"), QStringList{"1|-200|Cash"});
    screen->close();
}

// Invoice 1 took 300 in cash and 60 by card on 3 January; deleted on the 5th, its money is
// paid back on the 5th: the 3rd's cash book keeps its 420, the statement shows both.
void PaymentsTest::deletingAnInvoiceReversesItsPaymentsOnTheDayOfTheDeletion() {
    addPatient({{"file_num", "7"}, {"pt_name", "Huda Saleh"}});
    addInvoice("7", "03/01/2027", 360, 0);
    addInvoice("7", "03/01/2027", 60, 0);
    addInvoiceLine(1, "10", "Consultation", 360);
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] {
        recordPayment(db, {1, "7", QDate(2027, 1, 3), 300, "Cash"});
        recordPayment(db, {1, "7", QDate(2027, 1, 3), 60, "Card"});
        recordPayment(db, {2, "7", QDate(2027, 1, 3), 60, "Cash"});
        recordInvoiceKind(db, 1, "Cash");
    });
    setToday(QDate(2027, 1, 5));
    QWidget* list = showActiveScreen(Screen::InvoiceList);
    trigger(list, "mnuAll");
    clickRow(grid(list, "DBGrid1"), 0);
    QCOMPARE(box(list, "Text1")->text(), "1");
    env_->dialogs.expectQuestion("Delete invoice 1 of Huda Saleh (patient 7), amount 360?\nThe "
                                 "360 it took is booked as paid back today.",
                                 Dialogs::Answer::Yes, Dialogs::Icon::Question);
    click(list, "SSCommand5");
    QCOMPARE(firstColumnOf("SELECT po_num FROM pt_sh"), QStringList{"2"});
    QCOMPARE(countOf("po_descs"), 0);
    QCOMPARE(countOf("invoice_kinds"), 0);
    QCOMPARE(rowsOf("SELECT po_num, pay_date, amount, kind FROM payments WHERE id > 3 ORDER BY id"),
             QStringList({"1|05/01/2027|-300|Cash", "1|05/01/2027|-60|Card"}));
    list->close();

    PeriodicReportsDialog reports{AppSettings()};
    reports.setAttribute(Qt::WA_DeleteOnClose, false);
    reports.show();
    LaidOutReport book = cashBookOf(&reports, "03012027");
    QCOMPARE(reportRows(book, {"Text2", "Text6"}).size(), 3);
    QCOMPARE(cashBookTotals(book).last(), QStringList({"Total :", "420.00"}));
    book = cashBookOf(&reports, "05012027");
    QCOMPARE(reportRows(book, {"Text1", "Text2", "Text5", "Text6"}),
             QList<QStringList>(
                 {{"05/01/2027", "1", "Cash", "-300.00"}, {"05/01/2027", "1", "Card", "-60.00"}}));
    QCOMPARE(cashBookTotals(book).mid(0, 2),
             QList<QStringList>({{"Cash :", "-300.00"}, {"Card :", "-60.00"}}));
    QCOMPARE(cashBookTotals(book).last(), QStringList({"Total :", "-360.00"}));

    env_->dialogs.expectInput("File Number :", "Open File", "7", QString());
    QWidget* file = showScreen(Screen::PatientFile);
    const LaidOutReport statement = previewOf(file, "mnStatement");
    QCOMPARE(reportRows(statement, {"Text1", "Text2", "Text3", "Text6", "Text7"}),
             QList<QStringList>({
                 {"03/01/2027", "1", "Payment, Cash", "300.00", "-300.00"},
                 {"03/01/2027", "1", "Payment, Card", "60.00", "-360.00"},
                 {"03/01/2027", "2", "Invoice", "", "-300.00"},
                 {"03/01/2027", "2", "Payment, Cash", "60.00", "-360.00"},
                 {"05/01/2027", "1", "Invoice deleted, Cash", "-300.00", "-60.00"},
                 {"05/01/2027", "1", "Invoice deleted, Card", "-60.00", "0.00"},
             }));
    file->close();
}

void PaymentsTest::theInvoicePrintsItsPaymentKind() {
    addPatient({{"file_num", "7"}, {"pt_name", "Huda Saleh"}});
    addInvoice("7", "15/03/2026", 1000, 400);
    addInvoice("7", "16/03/2026", 500, 0);
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] { recordInvoiceKind(db, 1, "Credit"); });
    Report& report = reportByName("po_rep");
    PrepareInvoiceReport(AppSettings(), "1");
    QCOMPARE(report.control("cash")->caption, "");
    QCOMPARE(report.control("credit1")->caption, "X");
    QCOMPARE(report.control("parti1")->caption, "");
    // An invoice saved before the kinds were kept shows no mark, not the last invoice's.
    PrepareInvoiceReport(AppSettings(), "2");
    QCOMPARE(report.control("credit1")->caption, "");
}

void PaymentsTest::upgradeCarriesOverThePaymentsToDate() {
    if (testsOnServer())
        QSKIP("a file of an earlier version: a server database is made whole");
    addInvoice("7", "15/03/2026", 1000, 400);
    addInvoice("8", "16/03/2026", 500, 500); // nothing paid
    addInvoice("9", "1/4/2026", 300, 0);     // a date typed otherwise
    QSqlDatabase db = clinicDatabase();
    runQuery(db, "UPDATE pt_sh SET fmon = '04/2026' WHERE po_num = 3");
    runQuery(db, "DROP TABLE payments");
    runQuery(db, "DROP TABLE invoice_kinds");
    closeAllDatabases();

    UpgradeDB(AppSettings());
    QCOMPARE(rowsOf(kPayments), QStringList({"1|7|15/03/2026|2026-03-15|600|Carried over|1",
                                             "3|9|1/4/2026|2026-04-00|300|Carried over|1"}));
    QVERIFY(env_->dialogs.progressShown().contains(
        "Recording the payments of the invoices already saved"));
    QCOMPARE(valueIn("SELECT sum(amount) FROM payments").toLongLong(),
             valueIn("SELECT sum(po_pri - po_netd) FROM pt_sh").toLongLong());
    QVERIFY(env_->log().isEmpty());
    // The month's cash book counts the payment whose day could not be read.
    const auto rows =
        cashBookRows(AppSettings().databaseLocation(), ReportPeriod::Month, "04/2026");
    QVERIFY(rows->next());
    QCOMPARE(rows->value(1).toInt(), 3);
}

void PaymentsTest::upgradeLeavesAFileWithPaymentsAlone() {
    addInvoice("7", "15/03/2026", 1000, 400);
    UpgradeDB(AppSettings());
    QCOMPARE(countOf("payments"), 0);
    QVERIFY(env_->dialogs.progressShown().isEmpty());
}

// A statement finds the payments of a patient's deleted invoices by it, on a file as on a server.
void PaymentsTest::upgradeAddsTheIndexOfPaymentsByFile() {
    runQuery(clinicDatabase(), "DROP INDEX payments_file_num");
    closeAllDatabases();
    UpgradeDB(AppSettings());
    QVERIFY(
        valueIn(dialectOf(clinicDatabase()).indexExistsQuery(), {"payments_file_num"}).toBool());
    QVERIFY(env_->log().isEmpty());
}

void PaymentsTest::cashBookListsThePaymentsOfThePeriodWithTotalsPerKind() {
    addPatient({{"file_num", "7"}, {"pt_name", QString::fromUtf8("هدى صالح")}});
    addPatient({{"file_num", "8"}, {"pt_name", "Omar Ali"}});
    addInvoice("7", "15/03/2026", 1000, 0);
    addInvoice("8", "06/12/2026", 500, 0);
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] {
        runQuery(db, "INSERT INTO payments (po_num, file_num, pay_date, pay_day, amount, kind, "
                     "carried_over) VALUES (1, '7', '15/03/2026', '2026-03-15', 600, "
                     "'Carried over', 1)");
        // Stored before kinds said how money came in: shown as stored, under "Other kinds".
        recordPayment(db, {2, "8", QDate(2026, 12, 6), 500, "Partial"});
        recordPayment(db, {1, "7", QDate(2026, 12, 6), 400, "Cash"});
        recordPayment(db, {1, "7", QDate(2026, 12, 6), 300, "Card"});
        recordPayment(db, {1, "7", QDate(2026, 12, 6), 200, "Bank transfer"});
        recordPayment(db, {1, "7", QDate(2026, 12, 6), 100, "Cheque"});
        recordPayment(db, {1, "7", QDate(2026, 12, 6), -1500, "Cash"});
        recordPayment(db, {1, "7", QDate(2026, 12, 7), -50, "Cash"});
        recordPayment(db, {1, "7", QDate(2026, 12, 7), 50, "Credit"});
    });
    AppSettings().letterhead.clinicname = "Dar Al Shifa";
    PeriodicReportsDialog dialog(AppSettings());
    dialog.setAttribute(Qt::WA_DeleteOnClose, false);
    dialog.show();
    box(&dialog, "text1")->setFocus();
    box(&dialog, "text1")->home(false);
    QTest::keyClicks(box(&dialog, "text1"), "06122026");

    const QStringList columns = {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"};
    {
        PreviewWatch day;
        click(&dialog, "cmdCashBook");
        QCOMPARE(day.shown().title, "Cash Book");
        const QString huda = QString::fromUtf8("هدى صالح");
        QCOMPARE(reportRows(day.shown(), columns),
                 QList<QStringList>({{"06/12/2026", "2", "8", "Omar Ali", "Partial", "500.00"},
                                     {"06/12/2026", "1", "7", huda, "Cash", "400.00"},
                                     {"06/12/2026", "1", "7", huda, "Card", "300.00"},
                                     {"06/12/2026", "1", "7", huda, "Bank transfer", "200.00"},
                                     {"06/12/2026", "1", "7", huda, "Cheque", "100.00"},
                                     {"06/12/2026", "1", "7", huda, "Cash", "-1,500.00"}}));
        QCOMPARE(reportRows(day.shown(), {"period", "printed"}),
                 QList<QStringList>({{"Day 06/12/2026", "Printed 06/12/2026"}}));
        QCOMPARE(reportRows(day.shown(), {"clinicname"}), QList<QStringList>({{"Dar Al Shifa"}}));
        QCOMPARE(cashBookTotals(day.shown()), QList<QStringList>({{"Cash :", "-1,100.00"},
                                                                  {"Card :", "300.00"},
                                                                  {"Bank transfer :", "200.00"},
                                                                  {"Cheque :", "100.00"},
                                                                  {"Other kinds :", "500.00"},
                                                                  {"Carried over :", "0.00"},
                                                                  {"Total :", "0.00"}}));
    }
    QVERIFY(child(&dialog, "SSCommand3")->isVisible());

    chooseOption(&dialog, "RepType_3");
    box(&dialog, "text3")->setFocus();
    box(&dialog, "text3")->home(false);
    QTest::keyClicks(box(&dialog, "text3"), "2026");
    PreviewWatch year;
    click(&dialog, "cmdCashBook");
    QCOMPARE(reportRows(year.shown(), {"Text2"}).size(), 9);
    QCOMPARE(cashBookTotals(year.shown()).mid(4), QList<QStringList>({{"Other kinds :", "550.00"},
                                                                      {"Carried over :", "600.00"},
                                                                      {"Total :", "600.00"}}));
}

void PaymentsTest::cashBookTotalsAreExactBeyondAFloatingPoint() {
    // 2^53 + 1 cannot be held by a double; summed as whole numbers it stays exact.
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] {
        recordPayment(db, {1, "7", QDate(2026, 1, 1), 9007199254740992LL, "Cash"});
        recordPayment(db, {2, "7", QDate(2026, 1, 2), 1, "Cash"});
    });
    const auto rows = cashBookRows(AppSettings().databaseLocation(), ReportPeriod::Year, "2026");
    Report report = reportByName("cashbook");
    LazyReport pages(report, *rows);
    pages.layOutTo(1000);
    QStringList totals;
    for (int i = 0; i < pages.pageCount(); ++i)
        if (const QString total = textOf(pages.page(i), "Function7"); !total.isEmpty())
            totals << total;
    QCOMPARE(totals, QStringList{"9,007,199,254,740,993.00"});
}

void PaymentsTest::statementFromThePatientFileEndsOnTheNetDue() {
    addPatient({{"file_num", "7"}, {"pt_name", QString::fromUtf8("هدى صالح")}});
    addInvoice("7", "15/03/2026", 1000, 300);
    addInvoice("7", "02/05/2026", 250, 250);
    addInvoice("8", "02/05/2026", 999, 999); // another patient's
    addInvoiceLine(1, "10", "Consultation", 600);
    addInvoiceLine(1, "50", "Crown", 400);
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] {
        recordPayment(db, {1, "7", QDate(2026, 3, 15), 500, "Cash"});
        recordPayment(db, {1, "7", QDate(2026, 5, 2), 300, "Credit"});
        recordPayment(db, {1, "7", QDate(2026, 5, 3), -100, "Cash"});
    });
    env_->dialogs.expectInput("File Number :", "Open File", "7", QString());
    QWidget* screen = showScreen(Screen::PatientFile);

    PreviewWatch statement;
    trigger(screen, "mnStatement");
    QCOMPARE(statement.shown().title, "Patient Statement");
    QCOMPARE(
        reportRows(statement.shown(), {"statementfile", "statementname", "statementdate"}),
        QList<QStringList>({{"7", "", "06/12/2026"}, {"", QString::fromUtf8("هدى صالح"), ""}}));
    QCOMPARE(reportRows(statement.shown(),
                        {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7"}),
             QList<QStringList>({
                 {"15/03/2026", "1", "Invoice", "1,000.00", "1,000.00", "", "1,000.00"},
                 {"15/03/2026", "1", "Payment, Cash", "", "", "500.00", "500.00"},
                 {"02/05/2026", "1", "Payment, Credit", "", "", "300.00", "200.00"},
                 {"02/05/2026", "2", "Invoice", "", "250.00", "", "450.00"},
                 {"03/05/2026", "1", "Refund, Cash", "", "", "-100.00", "550.00"},
             }));
    QCOMPARE(reportRows(statement.shown(), {"Function3"}), QList<QStringList>({{"550.00"}}));
    QCOMPARE(valueIn("SELECT sum(po_netd) FROM pt_sh WHERE file_num = '7'").toInt(), 550);

    // A net due changed where no payment was recorded is shown as such, and the balance still
    // ends on the net dues.
    runQuery(db, "UPDATE pt_sh SET po_netd = 0 WHERE po_num = 2");
    PreviewWatch again;
    trigger(screen, "mnStatement");
    const QList<QStringList> rows = reportRows(again.shown(), {"Text3", "Text6", "Text7"});
    QCOMPARE(rows.last(), QStringList({"Unrecorded payment", "250.00", "300.00"}));
    QCOMPARE(reportRows(again.shown(), {"Function3"}), QList<QStringList>({{"300.00"}}));
}

void PaymentsTest::statementPdfPrintsArabicNames() {
    const QString name = QString::fromUtf8("هدى صالح");
    addPatient({{"file_num", "7"}, {"pt_name", name}});
    addInvoice("7", "15/03/2026", 1000, 300);
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] { recordPayment(db, {1, "7", QDate(2026, 3, 15), 700, "Cash"}); });
    Report report = reportByName("statement");
    PrepareReport(report, AppSettings());
    report.control("statementname")->caption = name;
    const auto rows = statementRows(AppSettings().databaseLocation(), "7");
    const QString path = env_->root() + "/statement.pdf";
    LazyReport pages(report, *rows);
    savePdf(pages, path);
    const QString text = folded(pdfText(path));
    for (const QString& expected : {name, QString("Patient Statement"), QString("Payment, Cash"),
                                    QString("1,000.00"), QString("700.00"), QString("300.00")})
        QVERIFY2(text.contains(expected), qPrintable(expected + " not in:\n" + text));
}

void PaymentsTest::moneyReportsNumberTheirPages_data() {
    QTest::addColumn<bool>("statement");
    QTest::newRow("cash book") << false;
    QTest::newRow("statement") << true;
}

// Pages are laid out before their count is known: every page of the PDF still says which of how
// many it is.
void PaymentsTest::moneyReportsNumberTheirPages() {
    QFETCH(bool, statement);
    addPatient({{"file_num", "7"}, {"pt_name", "Omar Ali"}});
    addInvoice("7", "06/12/2026", 100000, 0);
    QSqlDatabase db = clinicDatabase();
    inTransaction(db, [&] {
        for (int i = 0; i < 100; ++i)
            recordPayment(db, {1, "7", QDate(2026, 12, 6), 100, "Cash"});
    });
    if (statement)
        env_->dialogs.expectInput("File Number :", "Open File", "7", QString());
    const QString path = env_->root() + "/numbered.pdf";
    env_->dialogs.expectSaveFile("PDF Files (*.pdf)|*.pdf", path);
    int pages = 0;
    PreviewWatch watch([&](ReportPreview* preview) {
        trigger(preview, "actExportPdf");
        pages = preview->report().pageCount();
    });
    PeriodicReportsDialog reports(AppSettings());
    if (statement) {
        trigger(showScreen(Screen::PatientFile), "mnStatement");
    } else {
        reports.show();
        box(&reports, "text1")->setFocus();
        box(&reports, "text1")->home(false);
        QTest::keyClicks(box(&reports, "text1"), "06122026");
        click(&reports, "cmdCashBook");
    }
    QVERIFY(watch.seen());
    QVERIFY2(pages >= 3, qPrintable(QString::number(pages)));
    QCOMPARE(pdfPageCount(path), pages);
    const QString text = pdfText(path);
    for (int page = 1; page <= pages; ++page) {
        const QString expected = QString("Page %1 of %2").arg(page).arg(pages);
        QVERIFY2(text.count(expected) == 1, qPrintable(expected + " not once in:\n" + text));
    }
}

QTEST_MAIN(PaymentsTest)
#include "test_payments.moc"
