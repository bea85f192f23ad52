#include "support/clinicrows.h"
#include "support/reportpages.h"
#include "support/screentest.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "binding/maskededit.h"
#include "db/engine/connection.h"
#include "invoices/invoicelistscreen.h"
#include "invoices/navigationbar.h"
#include "reportengine/reportpreview.h"
#include "screens/screens.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPrinterInfo>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

// Invoice number, date, amount, net due and patient number as the detail panel shows them.
QString panel(QWidget* screen) {
    return QStringList{box(screen, "Text1")->text(), child<MaskedEdit>(screen, "text5")->value(),
                       box(screen, "Text3")->text(), box(screen, "Text6")->text(),
                       box(screen, "Text7")->text()}
        .join("|");
}

QTableView* invoiceGrid(QWidget* screen) {
    return grid(screen, "DBGrid1");
}

const int kInvoiceNoColumn = 2;

// The invoice number of the highlighted row; empty when no row is highlighted.
QString highlighted(QWidget* screen) {
    const QTableView* list = invoiceGrid(screen);
    const QModelIndex current = list->currentIndex();
    if (!current.isValid() || !list->selectionModel()->isRowSelected(current.row(), {}))
        return QString();
    return list->model()->index(current.row(), kInvoiceNoColumn).data().toString();
}

const QString kDeleteFirst = "Delete invoice 1 of Huda Saleh (patient 7), amount 1000?";

// Every change of the amount paid asks for the kind of the payment.
const QStringList kKinds = {"Cash", "Card", "Bank transfer", "Cheque"};
const QString kRefund700 = "Amount paid lowered: 700 paid back today\nPaid back in :";

} // namespace

class InvoiceListTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void opensOnThePendingInvoicesWithTheFirstInvoiceInThePanel();
    void menusSwitchBetweenPendingAndAllInvoices();
    void choosingARowOpensItsInvoice();
    void theHighlightedRowIsAlwaysThePanelsInvoice();
    void deleteNamesTheInvoiceAndAsksFirst();
    void secondGridEventShowsAndHidesTheLines();
    void saveRefusesWhatItCannotFile_data();
    void saveRefusesWhatItCannotFile();
    void netDueIsComparedWithTheAmountAsANumber();
    void saveFilesTheCorrectionWithItsMonthAndYear();
    void paidInvoiceLeavesThePendingList();
    void refusedStoreIsReportedAndChangesNothing();
    void invoiceNumberBoxIsOnlyASearchKey();
    void enterWithAnUnknownNumberClosesTheScreen();
    void openTakesTheNumberBoxOrAsksForANumber();
    void findInvoiceAsksForAMissingNumber();
    void movingToAnotherInvoiceDropsUnsavedEdits();
    void deleteRemovesTheInvoiceWithItsLines();
    void aFailedDeleteLeavesTheInvoiceWhole();
    void previewShowsTheInvoiceOrSaysThereIsNone();
    void closedPreviewResetsTheListToThePendingInvoices();
    void printerMenuPrintsOrSaysWhyNot();
    void quitGivesTheMainWindowBack();
    void menusBoxesAndGridAreAsDesigned();

  private:
    QWidget* openScreen();

    std::unique_ptr<TestEnv> env_;
};

void InvoiceListTest::init() {
    env_ = screenTestEnv(Screen::InvoiceList, [] { return new InvoiceListScreen(AppSettings()); });
    addPatient({{"file_num", "7"}, {"pt_name", "Huda Saleh"}});
    addPatient({{"file_num", "8"}, {"pt_name", "Omar Ali"}});
    addInvoice("7", "15/01/2026", 1000, 200); // 1
    addInvoice("8", "20/01/2026", 500, 0);    // 2
    addInvoice("99", "21/01/2026", 300, 300); // 3: no such patient
    addInvoice("7", "02/02/2026", 250, 250);  // 4
    addInvoiceLine(1, "10", "Consultation", 600);
    addInvoiceLine(1, "50", "Crown", 400);
    addInvoiceLine(4, "20", "X-ray", 250);
}

void InvoiceListTest::cleanup() {
    env_.reset();
}

QWidget* InvoiceListTest::openScreen() {
    return showActiveScreen(Screen::InvoiceList);
}

void InvoiceListTest::opensOnThePendingInvoicesWithTheFirstInvoiceInThePanel() {
    QWidget* screen = openScreen();
    QCOMPARE(screen->windowTitle(), "Invoice Replacment");
    QCOMPARE(child<NavigationBar>(screen, "Data2Bar")->caption(), "Invoices");
    QTableView* list = invoiceGrid(screen);
    QCOMPARE(columnOf(list, kInvoiceNoColumn), QStringList({"1", "4"}));
    QCOMPARE(columnOf(list, 1), QStringList({"Huda Saleh", "Huda Saleh"}));
    QCOMPARE(columnOf(list, 5), QStringList({"200", "250"}));
    QCOMPARE(panel(screen), "1|15/01/2026|1000|200|7");
    QVERIFY(!grid(screen, "DBGrid2")->isVisible());
    QVERIFY(!child(screen, "Data3Bar")->isVisible());
    QVERIFY(!mainWindow()->isEnabled());
}

void InvoiceListTest::menusSwitchBetweenPendingAndAllInvoices() {
    QWidget* screen = openScreen();
    trigger(screen, "mnuAll");
    QCOMPARE(child<NavigationBar>(screen, "Data2Bar")->caption(), "All Invoices");
    QCOMPARE(columnOf(invoiceGrid(screen), kInvoiceNoColumn), QStringList({"1", "2", "4"}));
    QCOMPARE(columnOf(invoiceGrid(screen), 0), QStringList({"7", "8", "7"}));
    trigger(screen, "mnuOutstanding");
    QCOMPARE(child<NavigationBar>(screen, "Data2Bar")->caption(), "Pending Invoices");
    QCOMPARE(columnOf(invoiceGrid(screen), kInvoiceNoColumn), QStringList({"1", "4"}));
}

void InvoiceListTest::choosingARowOpensItsInvoice() {
    QWidget* screen = openScreen();
    clickRow(invoiceGrid(screen), 1);
    QCOMPARE(panel(screen), "4|02/02/2026|250|250|7");
    trigger(screen, "mnuAll");
    clickRow(invoiceGrid(screen), 1);
    QCOMPARE(panel(screen), "2|20/01/2026|500|0|8");

    // From the keyboard: a row is reached with the arrows and chosen with Enter.
    QTableView* list = invoiceGrid(screen);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(panel(screen), "4|02/02/2026|250|250|7");
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(panel(screen), "2|20/01/2026|500|0|8");
}

// Whichever way the panel or the list moves, the highlighted row is the panel's invoice, or no
// row is highlighted when the list does not hold it.
void InvoiceListTest::theHighlightedRowIsAlwaysThePanelsInvoice() {
    runQuery(clinicDatabase(), "UPDATE pt_sh SET po_netd = 0 WHERE po_num = 1");
    QWidget* screen = openScreen();
    QCOMPARE(highlighted(screen), "4");
    QCOMPARE(panel(screen), "4|02/02/2026|250|250|7");

    retype(screen, "Text1", "2");
    click(screen, "SSCommand3");
    QCOMPARE(panel(screen), "2|20/01/2026|500|0|8");
    QCOMPARE(highlighted(screen), "");

    retype(screen, "Text1", "4");
    QTest::keyClick(box(screen, "Text1"), Qt::Key_Return);
    QCOMPARE(highlighted(screen), "4");

    trigger(screen, "mnuAll");
    QCOMPARE(highlighted(screen), "1");
    QCOMPARE(box(screen, "Text1")->text(), "1");
    retype(screen, "Text1", "4");
    click(screen, "SSCommand3");
    QCOMPARE(highlighted(screen), "4");
}

// One click never deletes an invoice the user did not name: the question names it and the money
// it took, and No leaves it.
void InvoiceListTest::deleteNamesTheInvoiceAndAsksFirst() {
    QSqlDatabase db = clinicDatabase();
    runQuery(db, "INSERT INTO payments (po_num, file_num, pay_date, pay_day, amount, kind) "
                 "VALUES (1, '7', '15/01/2026', '2026-01-15', 800, 'Cash')");
    QWidget* screen = openScreen();
    env_->dialogs.expectQuestion(kDeleteFirst + "\nThe 800 it took is booked as paid back today.",
                                 Dialogs::Answer::No, Dialogs::Icon::Question);
    click(screen, "SSCommand5");
    QCOMPARE(countOf("pt_sh"), 4);
    QCOMPARE(countOf("payments"), 1);
    QCOMPARE(panel(screen), "1|15/01/2026|1000|200|7");

    clickRow(invoiceGrid(screen), 1);
    env_->dialogs.expectQuestion("Delete invoice 4 of Huda Saleh (patient 7), amount 250?",
                                 Dialogs::Answer::Yes, Dialogs::Icon::Question);
    click(screen, "SSCommand5");
    QCOMPARE(firstColumnOf("SELECT po_num FROM pt_sh ORDER BY po_num"),
             QStringList({"1", "2", "3"}));
    QVERIFY2(env_->dialogs.allAnswered(), qPrintable(env_->dialogs.report()));
}

void InvoiceListTest::secondGridEventShowsAndHidesTheLines() {
    QWidget* screen = openScreen();
    doubleClickRow(invoiceGrid(screen), 0);
    QTableView* lines = grid(screen, "DBGrid2");
    QVERIFY(lines->isVisible());
    QVERIFY(child(screen, "Data3Bar")->isVisible());
    QCOMPARE(columnOf(lines, 0), QStringList({"Consultation", "Crown"}));
    QCOMPARE(columnOf(lines, 4), QStringList({"1", "1"}));

    doubleClickRow(invoiceGrid(screen), 1);
    QVERIFY(!lines->isVisible());
    doubleClickRow(invoiceGrid(screen), 1);
    QCOMPARE(columnOf(lines, 0), QStringList{"X-ray"});
    QVERIFY(lines->isVisible());

    trigger(screen, "mnuAll");
    env_->dialogs.expectMessage(
        "There is no more information to display about this invoice's details");
    doubleClickRow(invoiceGrid(screen), 1);
    QVERIFY(!lines->isVisible());
    QVERIFY(!child(screen, "Data3Bar")->isVisible());
}

// A refused save names what is wrong, puts the cursor in that box and files nothing.
void InvoiceListTest::saveRefusesWhatItCannotFile_data() {
    QTest::addColumn<QStringList>("typed"); // box, text, box, text...
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("wrongBox");
    const QString numeric = "Numeric fields must be NUMERIC!";
    QTest::newRow("no amount") << QStringList{"Text3", ""} << numeric << "Text3";
    QTest::newRow("net due not a number")
        << QStringList{"Text3", "1000", "Text6", "2OO"} << numeric << "Text6";
    QTest::newRow("net due above the amount")
        << QStringList{"Text6", "1200"} << "Net Due cannot be more than the total amount!!"
        << "Text6";
    QTest::newRow("not a day") << QStringList{"text5", "31022026", "Text6", "0"}
                               << "\"31/02/2026\" is not a date. Type the day as DD/MM/YYYY, for "
                                  "example 05/03/2027. The invoice was not saved."
                               << "text5";
}

void InvoiceListTest::saveRefusesWhatItCannotFile() {
    QFETCH(QStringList, typed);
    QFETCH(QString, message);
    QFETCH(QString, wrongBox);
    QWidget* screen = openScreen();
    for (int i = 0; i < typed.size(); i += 2)
        retype(screen, typed[i], typed[i + 1]);
    // The cursor starts elsewhere, so that it is seen to be put in the wrong box.
    child(screen, wrongBox == "Text3" ? "Text6" : "Text3")->setFocus();
    env_->dialogs.expectMessage(message);
    click(screen, "SSCommand1");
    QCOMPARE(QApplication::focusWidget(), child(screen, wrongBox));
    QCOMPARE(child<MaskedEdit>(screen, "text5")->value(),
             wrongBox == "text5" ? "31/02/2026" : "15/01/2026");
    QCOMPARE(rowsOf("SELECT po_date, po_pri, po_netd FROM pt_sh WHERE po_num = 1"),
             QStringList{"15/01/2026|1000|200"});
    QCOMPARE(countOf("payments"), 0);
}

void InvoiceListTest::netDueIsComparedWithTheAmountAsANumber() {
    QWidget* screen = openScreen();
    retype(screen, "Text3", "1000");
    retype(screen, "Text6", "900");
    env_->dialogs.expectChoice(kRefund700, "Payment", kKinds, "Cash", "Cash");
    click(screen, "SSCommand1");
    QCOMPARE(rowsOf("SELECT po_netd FROM pt_sh WHERE po_num = 1"), QStringList{"900"});
}

void InvoiceListTest::saveFilesTheCorrectionWithItsMonthAndYear() {
    QWidget* screen = openScreen();
    retype(screen, "text5", "15042007");
    retype(screen, "Text6", "200");
    click(screen, "SSCommand1");
    QCOMPARE(rowsOf("SELECT po_num, file_num, po_date, po_pri, po_netd, fmon, fyear FROM pt_sh "
                    "WHERE po_num = 1"),
             QStringList{"1|7|15/04/2007|1000|200|04/2007|2007"});
    // The list shows what was stored at once, on the same row.
    QCOMPARE(columnOf(invoiceGrid(screen), 3).first(), "15/04/2007");
    QCOMPARE(highlighted(screen), "1");
}

void InvoiceListTest::paidInvoiceLeavesThePendingList() {
    QWidget* screen = openScreen();
    retype(screen, "Text6", "0");
    env_->dialogs.expectChoice("Payment received today: 200\nPaid in :", "Payment", kKinds, "Cash",
                               "Cash");
    click(screen, "SSCommand1");
    // Paid, it leaves the pending list at once; the panel keeps it, and no row is highlighted.
    QCOMPARE(columnOf(invoiceGrid(screen), kInvoiceNoColumn), QStringList{"4"});
    QCOMPARE(panel(screen), "1|15/01/2026|1000|0|7");
    QCOMPARE(highlighted(screen), "");
}

void InvoiceListTest::refusedStoreIsReportedAndChangesNothing() {
    QWidget* screen = openScreen();
    retype(screen, "Text6", "12.5");
    env_->dialogs.expectMessage("Data type conversion error: 'po_netd' takes a whole number.");
    click(screen, "SSCommand1");
    QVERIFY(screen->isVisible());
    QCOMPARE(box(screen, "Text6")->text(), "12.5");
    QCOMPARE(rowsOf("SELECT po_netd, fmon FROM pt_sh WHERE po_num = 1"),
             QStringList{"200|01/2026"});
}

void InvoiceListTest::invoiceNumberBoxIsOnlyASearchKey() {
    QWidget* screen = openScreen();
    retype(screen, "Text1", "4");
    retype(screen, "Text6", "100");
    env_->dialogs.expectChoice("Payment received today: 100\nPaid in :", "Payment", kKinds, "Cash",
                               "Cash");
    click(screen, "SSCommand1");
    QCOMPARE(rowsOf("SELECT po_num, po_netd FROM pt_sh ORDER BY po_num"),
             QStringList({"1|100", "2|0", "3|300", "4|250"}));
    QCOMPARE(box(screen, "Text1")->text(), "1");

    retype(screen, "Text1", "4");
    QTest::keyClick(box(screen, "Text1"), Qt::Key_Return);
    QCOMPARE(panel(screen), "4|02/02/2026|250|250|7");

    // Enter on a text that is not a number does nothing.
    retype(screen, "Text1", "x1");
    QTest::keyClick(box(screen, "Text1"), Qt::Key_Return);
    QCOMPARE(box(screen, "Text1")->text(), "x1");
    QCOMPARE(box(screen, "Text3")->text(), "250");
}

void InvoiceListTest::enterWithAnUnknownNumberClosesTheScreen() {
    QPointer<QWidget> screen = openScreen();
    retype(screen, "Text1", "77");
    env_->dialogs.expectNotice("not found");
    QTest::keyClick(box(screen, "Text1"), Qt::Key_Enter);
    QVERIFY(isDeleted(screen));
    QVERIFY(mainWindow()->isEnabled());
}

void InvoiceListTest::openTakesTheNumberBoxOrAsksForANumber() {
    QWidget* screen = openScreen();
    retype(screen, "Text1", "2");
    click(screen, "SSCommand3");
    QCOMPARE(panel(screen), "2|20/01/2026|500|0|8");

    retype(screen, "Text1", "n/a");
    env_->dialogs.expectInput("Invice No :", "", "", QString());
    click(screen, "SSCommand3");
    QCOMPARE(box(screen, "Text3")->text(), "500");

    retype(screen, "Text1", "");
    env_->dialogs.expectInput("Invice No :", "", "4", QString());
    click(screen, "SSCommand3");
    QCOMPARE(panel(screen), "4|02/02/2026|250|250|7");

    retype(screen, "Text1", "");
    env_->dialogs.expectInput("Invice No :", "", "1 or 1=1", QString());
    env_->dialogs.expectNotice("not found");
    click(screen, "SSCommand3");
    QVERIFY(screen->isVisible());
    QCOMPARE(box(screen, "Text3")->text(), "250");
}

void InvoiceListTest::findInvoiceAsksForAMissingNumber() {
    QPointer<QWidget> screen = openScreen();
    auto* list = qobject_cast<InvoiceListScreen*>(screen.data());
    env_->dialogs.expectInput("Code Number :", "", "4", QString());
    list->FindInvoice("");
    QCOMPARE(panel(screen), "4|02/02/2026|250|250|7");

    env_->dialogs.expectInput("Code Number :", "", "", QString());
    list->FindInvoice("");
    QVERIFY(isDeleted(screen));
    QVERIFY(mainWindow()->isEnabled());
}

void InvoiceListTest::movingToAnotherInvoiceDropsUnsavedEdits() {
    QWidget* screen = openScreen();
    retype(screen, "Text3", "999");
    retype(screen, "Text6", "9");
    clickRow(invoiceGrid(screen), 1);
    clickRow(invoiceGrid(screen), 0);
    QCOMPARE(panel(screen), "1|15/01/2026|1000|200|7");
    QCOMPARE(rowsOf("SELECT po_pri, po_netd FROM pt_sh WHERE po_num = 1"), QStringList{"1000|200"});
}

void InvoiceListTest::deleteRemovesTheInvoiceWithItsLines() {
    QWidget* screen = openScreen();
    doubleClickRow(invoiceGrid(screen), 0);
    env_->dialogs.expectQuestion(kDeleteFirst, Dialogs::Answer::Yes, Dialogs::Icon::Question);
    click(screen, "SSCommand5");
    QCOMPARE(rowsOf("SELECT po_num FROM pt_sh ORDER BY po_num"), QStringList({"2", "3", "4"}));
    QCOMPARE(rowsOf("SELECT po_num, descr2 FROM po_descs"), QStringList{"4|X-ray"});
    QCOMPARE(panel(screen), "4|02/02/2026|250|250|7");
    QCOMPARE(highlighted(screen), "4");
    QCOMPARE(grid(screen, "DBGrid2")->model()->rowCount(), 0);
}

void InvoiceListTest::aFailedDeleteLeavesTheInvoiceWhole() {
    failWritesTo("pt_sh", "DELETE", "database is locked");
    QWidget* screen = openScreen();
    env_->dialogs.expectQuestion(kDeleteFirst, Dialogs::Answer::Yes, Dialogs::Icon::Question);
    env_->dialogs.expectMessage("database is locked");
    click(screen, "SSCommand5");
    QCOMPARE(rowsOf("SELECT count(*) FROM pt_sh"), QStringList{"4"});
    QCOMPARE(rowsOf("SELECT descr2 FROM po_descs WHERE po_num = 1 ORDER BY id"),
             QStringList({"Consultation", "Crown"}));
    QCOMPARE(panel(screen), "1|15/01/2026|1000|200|7");
}

void InvoiceListTest::previewShowsTheInvoiceOrSaysThereIsNone() {
    QWidget* screen = openScreen();
    retype(screen, "Text1", "77");
    env_->dialogs.expectMessage("There is no invoice available to print!");
    trigger(screen, "mnuScreen");

    retype(screen, "Text1", " 4 ");
    const PreviewWatch watch;
    trigger(screen, "mnuScreen");
    QStringList texts;
    for (const Page& page : watch.shown().pages)
        for (const PlacedText& text : page.content.texts)
            texts << text.text;
    QVERIFY2(texts.contains("Huda Saleh") && texts.contains("X-ray") && texts.contains("250.00"),
             qPrintable(texts.join(" | ")));
}

void InvoiceListTest::closedPreviewResetsTheListToThePendingInvoices() {
    QWidget* screen = openScreen();
    trigger(screen, "mnuAll");
    clickRow(invoiceGrid(screen), 2);
    QCOMPARE(panel(screen), "4|02/02/2026|250|250|7");
    const PreviewWatch watch;
    trigger(screen, "mnuScreen");
    QVERIFY(watch.seen());
    QCoreApplication::processEvents();
    QCOMPARE(child<NavigationBar>(screen, "Data2Bar")->caption(), "Pending Invoices");
    QCOMPARE(columnOf(invoiceGrid(screen), kInvoiceNoColumn), QStringList({"1", "4"}));
    QCOMPARE(panel(screen), "1|15/01/2026|1000|200|7");
}

void InvoiceListTest::printerMenuPrintsOrSaysWhyNot() {
    QVERIFY2(!QPrinterInfo::defaultPrinter().isNull(),
             "the print tests need a default printer: run tools/start-printer");
    QWidget* screen = openScreen();
    trigger(screen, "mnuPrinter");
    retype(screen, "Text1", "77");
    env_->dialogs.expectMessage("There is no invoice available to print!");
    trigger(screen, "mnuPrinter");

    retype(screen, "Text1", "1");
    const auto [number, text] = env_->loseTheDatabase();
    env_->dialogs.expectMessage(text + " " + QString::number(number));
    trigger(screen, "mnuPrinter");
    QVERIFY(screen->isVisible());
}

void InvoiceListTest::quitGivesTheMainWindowBack() {
    QPointer<QWidget> screen = openScreen();
    click(screen, "SSCommand6");
    QVERIFY(isDeleted(screen));
    QVERIFY(mainWindow()->isEnabled());
}

void InvoiceListTest::menusBoxesAndGridAreAsDesigned() {
    QWidget* screen = openScreen();
    const QList<QPair<QString, QString>> menus{{"mnuInvoices", "Invoices"}, {"mnuPrint", "Print"}};
    for (const auto& [name, title] : menus)
        QCOMPARE(child<QMenu>(screen, name)->title().remove('&'), title);
    const QList<QPair<QString, QString>> items{{"mnuOutstanding", "Outstanding"},
                                               {"mnuAll", "All"},
                                               {"mnuScreen", "Screen"},
                                               {"mnuPrinter", "Printer"}};
    for (const auto& [name, text] : items)
        QCOMPARE(child<QAction>(screen, name)->text().remove('&'), text);
    QStringList headers;
    QAbstractItemModel* list = invoiceGrid(screen)->model();
    for (int i = 0; i < list->columnCount(); ++i)
        headers << list->headerData(i, Qt::Horizontal).toString();
    QCOMPARE(headers, QStringList({"Patient No", "Patient Name", "Invoice No", "Date", "Amount",
                                   "Net Due"}));
    QCOMPARE(child<MaskedEdit>(screen, "text5")->mask(), "##/##/####");
    QCOMPARE(box(screen, "Text3")->maxLength(), 5);
    QVERIFY(!child(screen, "Text7")->isEnabled());
    retype(screen, "Text3", "1,2a3");
    QCOMPARE(box(screen, "Text3")->text(), "123");
    for (const char* name : {"Data1", "Data2", "Data3"})
        QVERIFY2(screen->findChild<QObject*>(name), name);
}

QTEST_MAIN(InvoiceListTest)
#include "test_invoicelist.moc"
