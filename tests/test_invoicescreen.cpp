#include "support/clinicrows.h"
#include "support/screentest.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "binding/maskededit.h"
#include "core/programdir.h"
#include "db/engine/connection.h"
#include "invoices/invoicescreen.h"
#include "screens/amounttext.h"
#include "screens/screens.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QTableView>
#include <QTest>

namespace {

// The scratch header that the open-file dialog stores before it shows the invoice screen.
void storeScratchHeader(const QString& fileNumber, const QString& name) {
    runQuery(clinicDatabase(), "INSERT INTO inv_rep_data (file_p, name, adrr) VALUES (?, ?, ?)",
             {fileNumber, name, "Riyadh"});
}

QString text(QWidget* screen, const QString& name) {
    return box(screen, name)->text();
}

// A code typed and the box left, which looks it up.
void lookUp(QWidget* screen, const QString& code) {
    typeInto(screen, "text4", code, "Text6");
}

QTableView* linesGrid(QWidget* screen) {
    return grid(screen, "DBGrid1");
}

bool isComposing(QWidget* screen) {
    for (const char* panel : {"SSPanel1", "SSPanel4", "SSPanel5", "SSPanel6", "SSPanel8"})
        if (!child(screen, panel)->isEnabled())
            return false;
    return child(screen, "SSCommand2_OK")->isVisible() &&
           child(screen, "SSCommand3_Cancel")->isVisible() &&
           !child(screen, "SSCommand4_Print")->isVisible() &&
           !child(screen, "SSCommand5_Quit")->isVisible();
}

bool isSaved(QWidget* screen) {
    for (const char* panel : {"SSPanel1", "SSPanel4", "SSPanel5", "SSPanel6", "SSPanel8"})
        if (child(screen, panel)->isEnabled())
            return false;
    return !child(screen, "SSCommand2_OK")->isVisible() &&
           !child(screen, "SSCommand3_Cancel")->isVisible() &&
           child(screen, "SSCommand4_Print")->isVisible() &&
           child(screen, "SSCommand5_Quit")->isVisible() &&
           !child<QAction>(screen, "mnuSave")->isEnabled();
}

const QString kSavedLines =
    "SELECT po_num, code2, descr2, amount2, file_p FROM po_descs ORDER BY id";

} // namespace

class InvoiceScreenTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void amountsReadTheLeadingNumber_data();
    void amountsReadTheLeadingNumber();
    void amountsAreWrittenAsPlainDecimals();
    void opensOnTheScratchHeaderWithTodayAndNoLines();
    void unknownCodeSaysNotFoundAndBlocksTheLine();
    void linesAddUpAndThePaymentsFollowTheTotal();
    void okFilesTheHeaderAndTheLinesUnderANewNumber();
    void everySaveGetsAHigherNumber();
    void dateTextsAndPaymentKindAreFiled_data();
    void dateTextsAndPaymentKindAreFiled();
    void aDateThatIsNotADayIsRefusedAndKept_data();
    void aDateThatIsNotADayIsRefusedAndKept();
    void removingLinesByDoubleClickAndByTheEightKey();
    void lineWorthMoreThanTheTotalLeavesTheTotal();
    void okWithoutLinesSaysNothingWasEntered();
    void okAfterARefusedLineTellsTheRefusal();
    void saveMenuFilesTheInvoiceAndOpensTheNextOne();
    void everyWayOutEmptiesTheScratchTables_data();
    void everyWayOutEmptiesTheScratchTables();
    void amountsTheScratchHeaderCannotHoldAreRefused();
    void fiveDigitTotalIsPaidInFullByDefault();
    void aFailedSaveLeavesNoPartOfTheInvoice();
    void linesLeftByAKilledProgramDoNotReachTheNextInvoice();
    void failuresAreReportedAndTheScreenStaysOpen();
    void todayThatTheDateBoxCannotTakeAsksForTheDate();
    void amountAndPaymentsBoxesTakeOnlyDigits();
    void closingWithACodeNotYetLookedUpAsksNothing();
    void printSendsTheSavedInvoiceOrSaysWhyNot();
    void boxesPanelsAndGridAreAsDesigned();

  private:
    QWidget* openScreen();

    std::unique_ptr<TestEnv> env_;
};

void InvoiceScreenTest::init() {
    env_ = screenTestEnv(Screen::Invoice, [] { return new InvoiceScreen(AppSettings()); },
                         {Screen::OpenFile});
    addProcedure("10", "Consultation", 100);
    addProcedure("20", "X-ray", 50);
    addProcedure("30", "Filling", 80);
    addProcedure("40", "Implant", 9999);
    storeScratchHeader("7", "Huda Saleh");
}

void InvoiceScreenTest::cleanup() {
    env_.reset();
}

void InvoiceScreenTest::amountsReadTheLeadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("empty") << "" << 0.0 << false;
    QTest::newRow("digits") << "150" << 150.0 << true;
    QTest::newRow("blanks around") << " 75 " << 75.0 << true;
    QTest::newRow("trailing text") << "12abc" << 12.0 << false;
    QTest::newRow("no number") << "abc" << 0.0 << false;
    QTest::newRow("sign and point") << "-2.5" << -2.5 << true;
    QTest::newRow("exponent") << "1e3" << 1000.0 << true;
    QTest::newRow("exponent without digits") << "7e" << 7.0 << false;
    QTest::newRow("group separator") << "1,500" << 1.0 << false;
}

void InvoiceScreenTest::amountsReadTheLeadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, number);
    QFETCH(bool, numeric);
    QCOMPARE(leadingNumber(text), number);
    QCOMPARE(isNumeric(text), numeric);
}

void InvoiceScreenTest::amountsAreWrittenAsPlainDecimals() {
    QCOMPARE(amountText(150), "150");
    QCOMPARE(amountText(100000), "100000");
    QCOMPARE(amountText(-9849), "-9849");
    QCOMPARE(amountText(-0.0), "0");
    QCOMPARE(amountText(2.5), "2.5");
}

QWidget* InvoiceScreenTest::openScreen() {
    return showActiveScreen(Screen::Invoice);
}

void InvoiceScreenTest::opensOnTheScratchHeaderWithTodayAndNoLines() {
    QWidget* screen = openScreen();
    QCOMPARE(screen->windowTitle(), "Invoices");
    QCOMPARE(text(screen, "Text1"), "7");
    QCOMPARE(text(screen, "Text2"), "Huda Saleh");
    QCOMPARE(text(screen, "Text3"), "Riyadh");
    QCOMPARE(text(screen, "mask1"), "06/12/2026");
    QCOMPARE(linesGrid(screen)->model()->rowCount(), 0);
    QVERIFY(isComposing(screen));
    QVERIFY(!child(screen, "SSCommand1")->isEnabled());
    QVERIFY(child<QRadioButton>(screen, "Option1")->isChecked());
    QVERIFY(!mainWindow()->isEnabled());
}

void InvoiceScreenTest::unknownCodeSaysNotFoundAndBlocksTheLine() {
    QWidget* screen = openScreen();
    lookUp(screen, "10");
    QVERIFY(child(screen, "SSCommand1")->isEnabled());
    QCOMPARE(text(screen, "Text5"), "Consultation");
    QCOMPARE(text(screen, "Text6"), "100");

    env_->dialogs.expectNotice("not found");
    lookUp(screen, "12");
    QCOMPARE(text(screen, "Text5"), "");
    QCOMPARE(text(screen, "Text6"), "");
    QVERIFY(!child(screen, "SSCommand1")->isEnabled());

    // An empty code box, or one digit short, is not a code.
    lookUp(screen, "");
    env_->dialogs.expectNotice("not found");
    lookUp(screen, "1");
    QCOMPARE(countOf("po_desc"), 0);
}

void InvoiceScreenTest::linesAddUpAndThePaymentsFollowTheTotal() {
    QWidget* screen = openScreen();
    addLine(screen, "10");
    addLine(screen, "20");
    QCOMPARE(text(screen, "Text8"), "150");
    QCOMPARE(text(screen, "text9"), "150");
    QCOMPARE(text(screen, "Text10"), "");
    QCOMPARE(child<MaskedEdit>(screen, "text4")->value(), "");
    QCOMPARE(text(screen, "Text5"), "");
    QVERIFY(!child(screen, "SSCommand1")->isEnabled());
    QCOMPARE(linesGrid(screen)->model()->rowCount(), 2);
    QCOMPARE(linesGrid(screen)->model()->index(1, 1).data().toString(), "X-ray");

    typeInto(screen, "text9", "100", "Option2");
    QCOMPARE(text(screen, "Text10"), "50");

    // A changed amount is the line's amount; the description stays the catalog's.
    addLine(screen, "30", "75");
    QCOMPARE(text(screen, "Text8"), "225");
    QCOMPARE(text(screen, "text9"), "225");
    QCOMPARE(text(screen, "Text10"), "50");
    QCOMPARE(rowsOf("SELECT code2, descr2, amount2, file_p FROM po_desc ORDER BY id"),
             QStringList({"10|Consultation|100|7", "20|X-ray|50|7", "30|Filling|75|7"}));
}

void InvoiceScreenTest::okFilesTheHeaderAndTheLinesUnderANewNumber() {
    QWidget* screen = openScreen();
    addLine(screen, "10");
    addLine(screen, "20");
    typeInto(screen, "text9", "100", "Option1");
    click(screen, "SSCommand2_OK");
    QVERIFY(isSaved(screen));

    const QString number = valueIn("SELECT max(po_num) FROM pt_sh").toString();
    QCOMPARE(text(screen, "Text7"), number);
    QCOMPARE(rowsOf("SELECT file_num, po_date, po_pri, po_netd, fmon, fyear FROM pt_sh"),
             QStringList{"7|06/12/2026|150|50|12/2026|2026"});
    QCOMPARE(rowsOf(kSavedLines),
             QStringList({number + "|10|Consultation|100|7", number + "|20|X-ray|50|7"}));
    QCOMPARE(rowsOf("SELECT invo, dater, tot, paym, netd, cash, credit1, parti1 FROM "
                    "inv_rep_data"),
             QStringList{number + "|06/12/2026|150|100|50|X||"});
    QVERIFY(!mainWindow()->isEnabled());
}

void InvoiceScreenTest::everySaveGetsAHigherNumber() {
    QStringList numbers;
    for (int invoice = 0; invoice < 2; ++invoice) {
        if (invoice > 0)
            storeScratchHeader("7", "Huda Saleh");
        QWidget* screen = openScreen();
        addLine(screen, "10");
        click(screen, "SSCommand2_OK");
        numbers << text(screen, "Text7");
        click(screen, "SSCommand5_Quit");
        discardClosed();
    }
    QVERIFY2(numbers[1].toInt() > numbers[0].toInt(), qPrintable(numbers.join(", ")));
    QCOMPARE(rowsOf("SELECT po_num FROM pt_sh ORDER BY po_num"), numbers);
}

void InvoiceScreenTest::dateTextsAndPaymentKindAreFiled_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("marks");
    QTest::newRow("cash") << "Option1"
                          << "X||";
    QTest::newRow("credit") << "Option2"
                            << "|X|";
    QTest::newRow("partial") << "Option3"
                             << "||X";
}

void InvoiceScreenTest::dateTextsAndPaymentKindAreFiled() {
    QFETCH(QString, option);
    QFETCH(QString, marks);
    QWidget* screen = openScreen();
    addLine(screen, "30");
    typeInto(screen, "mask1", "05/03/2007", "Text6");
    QTest::mouseClick(child<QRadioButton>(screen, option), Qt::LeftButton);
    click(screen, "SSCommand2_OK");
    QCOMPARE(rowsOf("SELECT po_date, fmon, fyear FROM pt_sh"),
             QStringList{"05/03/2007|03/2007|2007"});
    QCOMPARE(rowsOf("SELECT dater, cash, credit1, parti1 FROM inv_rep_data"),
             QStringList{"05/03/2007|" + marks});
}

void InvoiceScreenTest::aDateThatIsNotADayIsRefusedAndKept_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("save");
    QTest::newRow("digits only") << "12022027"
                                 << "SSCommand2_OK";
    QTest::newRow("no such day") << "31/02/2027"
                                 << "SSCommand2_OK";
    QTest::newRow("no such month") << "05/13/2027"
                                   << "mnuSave";
    QTest::newRow("short day") << "5/3/2027"
                               << "mnuSave";
    QTest::newRow("year first") << "2027/03/05"
                                << "SSCommand2_OK";
    QTest::newRow("empty") << ""
                           << "mnuSave";
}

// Refused at OK and at Save alike, the typed text kept for mending; a real day is then saved.
void InvoiceScreenTest::aDateThatIsNotADayIsRefusedAndKept() {
    QFETCH(QString, typed);
    QFETCH(QString, save);
    QWidget* screen = openScreen();
    addLine(screen, "10");
    retype(screen, "mask1", typed);
    env_->dialogs.expectMessage("\"" + typed +
                                "\" is not a date. Type the day as DD/MM/YYYY, for example "
                                "05/03/2027. The invoice was not saved.");
    if (save.startsWith("mnu"))
        trigger(screen, save);
    else
        click(screen, save);
    QVERIFY2(env_->dialogs.allAnswered(), qPrintable(env_->dialogs.report()));
    QCOMPARE(countOf("pt_sh"), 0);
    QCOMPARE(countOf("payments"), 0);
    QCOMPARE(text(screen, "mask1"), typed);
    QCOMPARE(QApplication::focusWidget(), box(screen, "mask1"));
    QVERIFY(isComposing(screen));

    retype(screen, "mask1", "29/02/2028");
    click(screen, "SSCommand2_OK");
    QCOMPARE(rowsOf("SELECT po_date, fmon, fyear FROM pt_sh"),
             QStringList{"29/02/2028|02/2028|2028"});
}

void InvoiceScreenTest::removingLinesByDoubleClickAndByTheEightKey() {
    QWidget* screen = openScreen();
    addLine(screen, "10");
    addLine(screen, "20");
    addLine(screen, "30");
    typeInto(screen, "text9", "200", "Option1");

    // A double-click removes the line and the payments follow the total.
    doubleClickRow(linesGrid(screen), 1);
    QCOMPARE(rowsOf("SELECT code2 FROM po_desc ORDER BY id"), QStringList({"10", "30"}));
    QCOMPARE(text(screen, "Text8"), "180");
    QCOMPARE(text(screen, "text9"), "180");

    // Other keys leave the lines alone.
    clickRow(linesGrid(screen), 0);
    QTest::keyClicks(linesGrid(screen), "79a");
    QTest::keyClick(linesGrid(screen), Qt::Key_Delete);
    QCOMPARE(countOf("po_desc"), 2);

    // The "8" key removes the chosen line and leaves the payments as they are.
    QTest::keyClicks(linesGrid(screen), "8");
    QCOMPARE(rowsOf("SELECT code2 FROM po_desc"), QStringList{"30"});
    QCOMPARE(text(screen, "Text8"), "80");
    QCOMPARE(text(screen, "text9"), "180");
    QCOMPARE(linesGrid(screen)->model()->rowCount(), 1);

    QTest::keyClicks(linesGrid(screen), "8");
    QCOMPARE(countOf("po_desc"), 0);
    QCOMPARE(text(screen, "Text8"), "0");
    // With no line left there is nothing to remove.
    QTest::keyClicks(linesGrid(screen), "8");
    QCOMPARE(text(screen, "Text8"), "0");
}

void InvoiceScreenTest::lineWorthMoreThanTheTotalLeavesTheTotal() {
    QWidget* screen = openScreen();
    addLine(screen, "30");
    box(screen, "Text8")->setText("50");
    clickRow(linesGrid(screen), 0);
    QTest::keyClicks(linesGrid(screen), "8");
    QCOMPARE(countOf("po_desc"), 0);
    QCOMPARE(text(screen, "Text8"), "50");
}

void InvoiceScreenTest::okWithoutLinesSaysNothingWasEntered() {
    QWidget* screen = openScreen();
    env_->dialogs.expectMessage("You have NOT entered anything!");
    click(screen, "SSCommand2_OK");
    QCOMPARE(countOf("pt_sh"), 0);
    QVERIFY(isComposing(screen));
}

// The database refused the only line: saving tells that again, not that nothing was entered.
void InvoiceScreenTest::okAfterARefusedLineTellsTheRefusal() {
    QWidget* screen = openScreen();
    failWritesTo("po_desc", "INSERT", "attempt to write a readonly database");
    lookUp(screen, "10");
    env_->dialogs.expectMessage("attempt to write a readonly database");
    click(screen, "SSCommand1");
    env_->dialogs.expectMessage("attempt to write a readonly database");
    click(screen, "SSCommand2_OK");
    QVERIFY2(env_->dialogs.allAnswered(), qPrintable(env_->dialogs.report()));
    QCOMPARE(countOf("pt_sh"), 0);

    allowWritesTo("po_desc");
    addLine(screen, "20");
    doubleClickRow(linesGrid(screen), 0);
    env_->dialogs.expectMessage("You have NOT entered anything!");
    click(screen, "SSCommand2_OK");
}

void InvoiceScreenTest::saveMenuFilesTheInvoiceAndOpensTheNextOne() {
    QPointer<QWidget> screen = openScreen();
    addLine(screen, "10");
    addLine(screen, "30");
    trigger(screen, "mnuSave");

    QVERIFY(isDeleted(screen));
    const QString number = valueIn("SELECT po_num FROM pt_sh").toString();
    QCOMPARE(rowsOf("SELECT file_num, po_pri, po_netd FROM pt_sh"), QStringList{"7|180|0"});
    QCOMPARE(rowsOf(kSavedLines),
             QStringList({number + "|10|Consultation|100|7", number + "|30|Filling|80|7"}));
    QCOMPARE(countOf("po_desc"), 0);
    QCOMPARE(countOf("inv_rep_data"), 0);
    QVERIFY(Screens::get(Screen::OpenFile)->isVisible());
    QVERIFY(!mainWindow()->isEnabled());
}

// Quit after OK keeps the filed invoice; the close box and Cancel discard the one being made.
// Either way the scratch tables are emptied and the main window is given back.
void InvoiceScreenTest::everyWayOutEmptiesTheScratchTables_data() {
    QTest::addColumn<bool>("okFirst");
    QTest::addColumn<QString>("button"); // none: the close box
    QTest::newRow("quit after OK") << true << "SSCommand5_Quit";
    QTest::newRow("close box") << false << "";
    QTest::newRow("cancel") << false << "SSCommand3_Cancel";
}

void InvoiceScreenTest::everyWayOutEmptiesTheScratchTables() {
    QFETCH(bool, okFirst);
    QFETCH(QString, button);
    QPointer<QWidget> screen = openScreen();
    addLine(screen, "10");
    if (okFirst)
        click(screen, "SSCommand2_OK");
    if (button.isEmpty())
        screen->close();
    else
        click(screen, button);
    QVERIFY(isDeleted(screen));
    QVERIFY(mainWindow()->isEnabled());
    QCOMPARE(countOf("pt_sh"), okFirst ? 1 : 0);
    QCOMPARE(countOf("po_descs"), okFirst ? 1 : 0);
    QCOMPARE(countOf("po_desc"), 0);
    QCOMPARE(countOf("inv_rep_data"), 0);
}

void InvoiceScreenTest::amountsTheScratchHeaderCannotHoldAreRefused() {
    QWidget* screen = openScreen();
    for (int line = 0; line < 10; ++line)
        addLine(screen, "40");
    addLine(screen, "10");
    QCOMPARE(text(screen, "Text8"), "100090");
    env_->dialogs.expectMessage("Total SR 100090 is too large: the total, payments and net due "
                                "of an invoice can have at most 5 characters each. The invoice "
                                "was not saved.");
    click(screen, "SSCommand2_OK");
    env_->dialogs.expectMessage("Total SR 100090 is too large: the total, payments and net due "
                                "of an invoice can have at most 5 characters each. The invoice "
                                "was not saved.");
    trigger(screen, "mnuSave");
    QVERIFY(isComposing(screen));
    QCOMPARE(countOf("pt_sh"), 0);
    QCOMPARE(countOf("po_descs"), 0);
    QCOMPARE(countOf("po_desc"), 11);
    QCOMPARE(rowsOf("SELECT invo, tot FROM inv_rep_data"), QStringList{"|"});

    // Removing a line brings the invoice back within what can be saved.
    clickRow(linesGrid(screen), 0);
    QTest::keyClicks(linesGrid(screen), "8");
    typeInto(screen, "text9", "5000", "Option1");
    click(screen, "SSCommand2_OK");
    QCOMPARE(rowsOf("SELECT po_pri, po_netd FROM pt_sh"), QStringList{"90091|85091"});
}

void InvoiceScreenTest::fiveDigitTotalIsPaidInFullByDefault() {
    QWidget* screen = openScreen();
    addLine(screen, "40");
    addLine(screen, "40");
    QCOMPARE(text(screen, "text9"), "19998");
    // Typed payments still have four digits at most.
    typeInto(screen, "text9", "123456", "Option1");
    QCOMPARE(text(screen, "text9"), "1234");
    addLine(screen, "20");
    QCOMPARE(text(screen, "text9"), "20048");
    click(screen, "SSCommand2_OK");
    QCOMPARE(rowsOf("SELECT po_pri, po_netd FROM pt_sh"), QStringList{"20048|0"});
    QCOMPARE(text(screen, "Text10"), "0");
}

void InvoiceScreenTest::aFailedSaveLeavesNoPartOfTheInvoice() {
    QWidget* screen = openScreen();
    addLine(screen, "10");
    addLine(screen, "20");
    failWritesTo("po_descs", "INSERT", "disk I/O error");
    env_->dialogs.expectMessage("disk I/O error");
    click(screen, "SSCommand2_OK");
    QCOMPARE(countOf("pt_sh"), 0);
    QCOMPARE(countOf("po_descs"), 0);
    QCOMPARE(rowsOf("SELECT invo FROM inv_rep_data"), QStringList{""});
    QCOMPARE(countOf("po_desc"), 2);
    QVERIFY(isComposing(screen));
    QCOMPARE(text(screen, "Text7"), "");

    failWritesTo("inv_rep_data", "UPDATE", "database is locked");
    allowWritesTo("po_descs");
    env_->dialogs.expectMessage("database is locked");
    trigger(screen, "mnuSave");
    QCOMPARE(countOf("pt_sh"), 0);
    QCOMPARE(countOf("po_descs"), 0);
    QCOMPARE(countOf("po_desc"), 2);

    allowWritesTo("inv_rep_data");
    click(screen, "SSCommand2_OK");
    QVERIFY(isSaved(screen));
    QCOMPARE(countOf("pt_sh"), 1);
    QCOMPARE(countOf("po_descs"), 2);
    // The refused saves took no number.
    QCOMPARE(text(screen, "Text7"), "1");
}

void InvoiceScreenTest::linesLeftByAKilledProgramDoNotReachTheNextInvoice() {
    runQuery(clinicDatabase(), "DELETE FROM inv_rep_data");
    storeScratchHeader("99", "Left behind");
    runQuery(
        clinicDatabase(),
        "INSERT INTO po_desc (code2, descr2, amount2, file_p) VALUES ('20', 'X-ray', 50, '99')");
    storeScratchHeader("7", "Huda Saleh");

    QWidget* screen = openScreen();
    QCOMPARE(text(screen, "Text2"), "Huda Saleh");
    QCOMPARE(linesGrid(screen)->model()->rowCount(), 0);
    QCOMPARE(countOf("po_desc"), 0);
    QCOMPARE(rowsOf("SELECT file_p FROM inv_rep_data"), QStringList{"7"});

    addLine(screen, "10");
    click(screen, "SSCommand2_OK");
    const QString number = text(screen, "Text7");
    QCOMPARE(rowsOf(kSavedLines), QStringList{number + "|10|Consultation|100|7"});
    QCOMPARE(rowsOf("SELECT po_pri FROM pt_sh"), QStringList{"100"});
}

void InvoiceScreenTest::failuresAreReportedAndTheScreenStaysOpen() {
    QPointer<QWidget> screen = openScreen();
    addLine(screen, "10");
    failWritesTo("po_desc", "INSERT", "database is locked");
    lookUp(screen, "20");
    env_->dialogs.expectMessage("database is locked");
    click(screen, "SSCommand1");
    QCOMPARE(text(screen, "Text8"), "100");
    QCOMPARE(linesGrid(screen)->model()->rowCount(), 1);
    QCOMPARE(text(screen, "Text5"), "X-ray");
    allowWritesTo("po_desc");
    click(screen, "SSCommand1");
    QCOMPARE(text(screen, "Text8"), "150");

    failWritesTo("po_desc", "DELETE", "database is locked");
    clickRow(linesGrid(screen), 0);
    env_->dialogs.expectMessage("database is locked");
    QTest::keyClicks(linesGrid(screen), "8");
    QCOMPARE(text(screen, "Text8"), "150");
    QCOMPARE(countOf("po_desc"), 2);

    env_->dialogs.expectMessage("database is locked");
    screen->close();
    QVERIFY(!isDeleted(screen));
    QVERIFY(!mainWindow()->isEnabled());
    QCOMPARE(countOf("po_desc"), 2);
    QCOMPARE(countOf("inv_rep_data"), 1);

    allowWritesTo("po_desc");
    click(screen, "SSCommand3_Cancel");
    QVERIFY(isDeleted(screen));
    QCOMPARE(countOf("po_desc"), 0);
    QCOMPARE(countOf("inv_rep_data"), 0);
}

void InvoiceScreenTest::todayThatTheDateBoxCannotTakeAsksForTheDate() {
    setToday(QDate(12026, 12, 6));
    env_->dialogs.expectMessage("Please enter the date");
    QWidget* screen = openScreen();
    QCOMPARE(QApplication::focusWidget(), child(screen, "mask1"));
    QCOMPARE(text(screen, "mask1"), "");
    QCOMPARE(text(screen, "Text2"), "Huda Saleh");
}

void InvoiceScreenTest::amountAndPaymentsBoxesTakeOnlyDigits() {
    QWidget* screen = openScreen();
    for (const char* name : {"Text6", "text9"}) {
        QLineEdit* edit = box(screen, name);
        edit->setFocus();
        QTest::keyClicks(edit, "1a.2-3 +");
        QCOMPARE(edit->text(), "123");
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), "12");
        QTest::keyClicks(edit, "3456");
        QCOMPARE(edit->text(), "1234");
        // Pasted from the box's menu: a negative amount never gets in.
        edit->clear();
        QGuiApplication::clipboard()->setText("-5");
        edit->paste();
        QCOMPARE(edit->text(), "");
        QGuiApplication::clipboard()->setText("75");
        edit->paste();
        QCOMPARE(edit->text(), "75");
    }
}

void InvoiceScreenTest::closingWithACodeNotYetLookedUpAsksNothing() {
    QPointer<QWidget> screen = openScreen();
    auto* code = box(screen, "text4");
    code->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(code, "99");
    screen->close();
    QVERIFY(isDeleted(screen));
    QVERIFY(mainWindow()->isEnabled());
}

void InvoiceScreenTest::printSendsTheSavedInvoiceOrSaysWhyNot() {
    QVERIFY2(!QPrinterInfo::defaultPrinter().isNull(),
             "the print tests need a default printer: run tools/start-printer");
    QWidget* screen = openScreen();
    addLine(screen, "10");
    click(screen, "SSCommand2_OK");
    click(screen, "SSCommand4_Print");
    click(screen, "SSCommand4_Print");
    QVERIFY(isSaved(screen));

    env_->dialogs.expectMessage(env_->loseTheDatabase().second);
    click(screen, "SSCommand4_Print");
    QVERIFY(isSaved(screen));
}

void InvoiceScreenTest::boxesPanelsAndGridAreAsDesigned() {
    QWidget* screen = openScreen();
    QCOMPARE(child<QAction>(screen, "mnuSave")->text().remove('&'), "Save");
    for (const char* name : {"Text1", "Text2", "Text3", "Text5", "Text7", "Text8", "Text10"})
        QVERIFY2(!child(screen, name)->isEnabled(), name);
    QCOMPARE(box(screen, "mask1")->maxLength(), 10);
    QCOMPARE(box(screen, "Text6")->maxLength(), 4);
    QCOMPARE(child<MaskedEdit>(screen, "text4")->mask(), "##");
    QCOMPARE(child<MaskedEdit>(screen, "text9")->promptChar(), '_');
    QVERIFY(child(screen, "SSPanel1")->isAncestorOf(child(screen, "SSPanel2")));
    QVERIFY(child(screen, "SSPanel1")->isAncestorOf(child(screen, "SSPanel3")));
    QStringList headers;
    for (int column = 0; column < linesGrid(screen)->model()->columnCount(); ++column)
        headers << linesGrid(screen)->model()->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headers, QStringList({"Code", "Description", "Amount SR"}));
    for (const char* name : {"Data1", "Data2", "Data3", "Data4", "Data5"})
        QVERIFY2(screen->findChild<QObject*>(name), name);
}

QTEST_MAIN(InvoiceScreenTest)
#include "test_invoicescreen.moc"
