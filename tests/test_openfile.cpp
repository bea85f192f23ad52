#include "support/clinicrows.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "db/engine/connection.h"
#include "patients/openfiledialog.h"
#include "screens/screens.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

class OpenFileTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void knownNumberFillsNameAndAddressAndEnablesOk();
    void unknownNumberEmptiesTheBoxesAndDisablesOkUntilCorrected();
    void okIsDisabledUntilALookUpSucceeds();
    void okKeepsTheHeaderAndOpensTheInvoiceScreen();
    void cancelAfterALookUpWritesNothing();
    void everyShowingStartsAFreshHeader();
    void arabicPatientIsCarriedIntoTheHeader();
    void refusedHeaderShowsTheEngineTextAndStays();
    void onlyTheFileNumberCanBeTyped();

  private:
    QWidget* showDialog();

    std::unique_ptr<TestEnv> env_;
};

void OpenFileTest::init() {
    env_ = std::make_unique<TestEnv>();
    env_->createDatabase();
    standInForMainWindow();
    Screens::registerFactory(Screen::Invoice, [] { return new QWidget; });
    Screens::registerFactory(Screen::OpenFile, [] { return new OpenFileDialog(AppSettings()); });
    addPatient(
        {{"file_num", "A1"}, {"pt_name", "Ali Hasan Omar"}, {"pt_address", "Riyadh, Olaya St."}});
    addPatient({{"file_num", "B2"}, {"pt_name", "Sara Nasser"}, {"pt_address", "Jeddah"}});
}

void OpenFileTest::cleanup() {
    env_.reset();
}

QWidget* OpenFileTest::showDialog() {
    return showActiveScreen(Screen::OpenFile);
}

void OpenFileTest::knownNumberFillsNameAndAddressAndEnablesOk() {
    QWidget* dialog = showDialog();
    typeAndTab(dialog, "Text1", "A1");
    QCOMPARE(box(dialog, "Text2")->text(), "Ali Hasan Omar");
    QCOMPARE(box(dialog, "Text3")->text(), "Riyadh, Olaya St.");
    QVERIFY(child(dialog, "SSCommand1")->isEnabled());
    // The Tab that left the box lands on "OK", next in the Tab order.
    QCOMPARE(QApplication::focusWidget(), child(dialog, "SSCommand1"));
}

void OpenFileTest::unknownNumberEmptiesTheBoxesAndDisablesOkUntilCorrected() {
    QWidget* dialog = showDialog();
    typeAndTab(dialog, "Text1", "A1");
    env_->dialogs.expectNotice("not found");
    typeAndTab(dialog, "Text1", "Z9");
    QCOMPARE(box(dialog, "Text2")->text(), "");
    QCOMPARE(box(dialog, "Text3")->text(), "");
    QVERIFY(!child(dialog, "SSCommand1")->isEnabled());

    // Numbers are compared as typed: a blank makes another number.
    env_->dialogs.expectNotice("not found");
    typeAndTab(dialog, "Text1", "B2 ");
    QVERIFY(!child(dialog, "SSCommand1")->isEnabled());

    typeAndTab(dialog, "Text1", "B2");
    QCOMPARE(box(dialog, "Text2")->text(), "Sara Nasser");
    QVERIFY(child(dialog, "SSCommand1")->isEnabled());
}

void OpenFileTest::okIsDisabledUntilALookUpSucceeds() {
    QWidget* dialog = showDialog();
    QVERIFY(!child(dialog, "SSCommand1")->isEnabled());
    QTest::keyClicks(box(dialog, "Text1"), "A1");
    QVERIFY(!child(dialog, "SSCommand1")->isEnabled());
    click(dialog, "SSCommand1");
    QCOMPARE(countOf("inv_rep_data"), 0);
    QVERIFY(dialog->isVisible());

    // A number changed after a look-up is not the one looked up.
    typeAndTab(dialog, "Text1", "A1");
    QVERIFY(child(dialog, "SSCommand1")->isEnabled());
    box(dialog, "Text1")->setFocus();
    QTest::keyClick(box(dialog, "Text1"), Qt::Key_Backspace);
    QVERIFY(!child(dialog, "SSCommand1")->isEnabled());
}

void OpenFileTest::okKeepsTheHeaderAndOpensTheInvoiceScreen() {
    QWidget* dialog = showDialog();
    typeAndTab(dialog, "Text1", "A1");
    click(dialog, "SSCommand1");

    QCOMPARE(countOf("inv_rep_data"), 1);
    QSqlQuery header =
        runQuery(clinicDatabase(), "SELECT file_p, name, adrr, invo, dater FROM inv_rep_data");
    QVERIFY(header.next());
    QCOMPARE(header.value(0).toString(), "A1");
    QCOMPARE(header.value(1).toString(), "Ali Hasan Omar");
    QCOMPARE(header.value(2).toString(), "Riyadh, Olaya St.");
    QVERIFY(header.value(3).isNull());
    QVERIFY(header.value(4).isNull());
    QVERIFY(!dialog->isVisible());
    QVERIFY(Screens::existing(Screen::Invoice)->isVisible());
    QVERIFY(!mainWindow()->isEnabled());
}

void OpenFileTest::cancelAfterALookUpWritesNothing() {
    QWidget* dialog = showDialog();
    typeAndTab(dialog, "Text1", "B2");
    click(dialog, "SSCommand2");
    QCOMPARE(countOf("inv_rep_data"), 0);
    QVERIFY(!dialog->isVisible());
    QVERIFY(mainWindow()->isEnabled());
    QVERIFY(!Screens::existing(Screen::Invoice));

    // The window frame and Escape cancel the same way.
    dialog = showDialog();
    typeAndTab(dialog, "Text1", "B2");
    dialog->close();
    QVERIFY(mainWindow()->isEnabled());
    dialog = showDialog();
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QVERIFY(mainWindow()->isEnabled());
    QCOMPARE(countOf("inv_rep_data"), 0);
}

void OpenFileTest::everyShowingStartsAFreshHeader() {
    QWidget* dialog = showDialog();
    typeAndTab(dialog, "Text1", "A1");
    click(dialog, "SSCommand1");
    Screens::existing(Screen::Invoice)->close();

    QCOMPARE(showDialog(), dialog);
    QCOMPARE(box(dialog, "Text1")->text(), "");
    QCOMPARE(box(dialog, "Text2")->text(), "");
    QCOMPARE(box(dialog, "Text3")->text(), "");
    QVERIFY(!child(dialog, "SSCommand1")->isEnabled());
    typeAndTab(dialog, "Text1", "B2");
    click(dialog, "SSCommand1");

    QCOMPARE(countOf("inv_rep_data"), 2);
    QCOMPARE(firstColumnOf("SELECT file_p FROM inv_rep_data ORDER BY id"),
             QStringList({"A1", "B2"}));
}

void OpenFileTest::arabicPatientIsCarriedIntoTheHeader() {
    const QString name = QString::fromUtf8("محمد عبدالله العتيبي");
    const QString address = QString::fromUtf8("جدة، حي الروضة");
    addPatient(
        {{"file_num", QString::fromUtf8("ع١٢")}, {"pt_name", name}, {"pt_address", address}});
    QWidget* dialog = showDialog();
    typeAndTab(dialog, "Text1", QString::fromUtf8("ع١٢"));
    QCOMPARE(box(dialog, "Text2")->text(), name);
    click(dialog, "SSCommand1");
    QSqlQuery header = runQuery(clinicDatabase(), "SELECT file_p, name, adrr FROM inv_rep_data");
    QVERIFY(header.next());
    QCOMPARE(header.value(0).toString(), QString::fromUtf8("ع١٢"));
    QCOMPARE(header.value(1).toString(), name);
    QCOMPARE(header.value(2).toString(), address);
}

void OpenFileTest::refusedHeaderShowsTheEngineTextAndStays() {
    failWritesTo("inv_rep_data", "INSERT", "Could not update; currently locked.");
    QWidget* dialog = showDialog();
    typeAndTab(dialog, "Text1", "A1");
    env_->dialogs.expectMessage("1811 -> Could not update; currently locked.");
    click(dialog, "SSCommand1");
    QCOMPARE(countOf("inv_rep_data"), 0);
    QVERIFY(dialog->isVisible());
    QVERIFY(!Screens::existing(Screen::Invoice));
    QCOMPARE(box(dialog, "Text1")->text(), "A1");
    QCOMPARE(box(dialog, "Text2")->text(), "Ali Hasan Omar");
}

void OpenFileTest::onlyTheFileNumberCanBeTyped() {
    QWidget* dialog = showDialog();
    QTest::keyClicks(box(dialog, "Text1"), "A1234567");
    QCOMPARE(box(dialog, "Text1")->text(), "A12345");
    QVERIFY(!box(dialog, "Text2")->isEnabled());
    QVERIFY(!box(dialog, "Text3")->isEnabled());
    QCOMPARE(box(dialog, "Text1")->nextInFocusChain(), child(dialog, "SSCommand1"));
}

QTEST_MAIN(OpenFileTest)
#include "test_openfile.moc"
