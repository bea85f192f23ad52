#include "support/clinicrows.h"
#include "support/screentest.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "db/engine/connection.h"
#include "invoices/catalogscreen.h"
#include "screens/screens.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace {

// The catalog as the database holds it: "code|description|amount" in record order.
QStringList catalog() {
    return rowsOf("SELECT code, descrip, amount FROM file_desc ORDER BY id");
}

// Code, description and amount as the three boxes show them.
QStringList shown(QWidget* screen) {
    return {box(screen, "Text1")->text(), box(screen, "Text2")->text(),
            box(screen, "Text4")->text()};
}

bool isEditing(QWidget* screen) {
    return !child(screen, "SSCommand3")->isVisible() && child(screen, "SSCommand4")->isVisible() &&
           !child(screen, "SSCommand2")->isEnabled() && !child(screen, "SSCommand5")->isEnabled() &&
           !child(screen, "SSCommand6")->isEnabled() && child(screen, "SSCommand1")->isEnabled();
}

bool isBrowsing(QWidget* screen) {
    return child(screen, "SSCommand3")->isVisible() && !child(screen, "SSCommand4")->isVisible() &&
           child(screen, "SSCommand2")->isEnabled() && child(screen, "SSCommand5")->isEnabled() &&
           child(screen, "SSCommand6")->isEnabled() && child(screen, "SSCommand1")->isEnabled();
}

} // namespace

class CatalogTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void opensOnTheFirstProcedureWithTheWholeCatalogInTheGrid();
    void newWithAKnownCodeShowsItAndStartsNothing();
    void newWithAnUnknownCodeIsSavedAsANewProcedure();
    void newIsCancelledWithoutARecord();
    void emptyOrCancelledAnswersChangeNothing();
    void openFindsTheCodeOrSaysNotFound();
    void gridShowsAndSelectsAProcedureBeyondItsFirstRows();
    void enterInTheCodeBoxFindsTheProcedure();
    void enterWithAnUnknownCodeLeavesTheShownProcedureAlone();
    void editsReachTheDatabaseOnlyThroughSave();
    void refusedStoreShowsTheEngineTextAndKeepsTheTypedValues();
    void codesWithQuotesAreSearchedLiterally();
    void amountBoxTakesAtMostFourDigits();
    void deleteRemovesTheProcedureAndShowsTheFirst();
    void deleteOnAnEmptyCatalogSaysWhy();
    void quitWaitsForTheEditToEnd();
    void boxesAndPanelsAreAsDesigned();

  private:
    QWidget* openScreen();

    std::unique_ptr<TestEnv> env_;
};

void CatalogTest::init() {
    env_ = screenTestEnv(Screen::Catalog, [] { return new CatalogScreen(AppSettings()); });
    addProcedure("10", "Consultation", 100);
    addProcedure("12", "Dressing", 30);
    addProcedure("20", "X-ray", 250);
}

void CatalogTest::cleanup() {
    env_.reset();
}

QWidget* CatalogTest::openScreen() {
    return showScreen(Screen::Catalog);
}

void CatalogTest::opensOnTheFirstProcedureWithTheWholeCatalogInTheGrid() {
    QWidget* screen = openScreen();
    QCOMPARE(screen->windowTitle(), "Description Entry");
    QCOMPARE(shown(screen), QStringList({"10", "Consultation", "100"}));
    QVERIFY(isBrowsing(screen));
    QAbstractItemModel* grid = child<QTableView>(screen, "DBGrid1")->model();
    QCOMPARE(grid->rowCount(), 3);
    QStringList headers;
    for (int column = 0; column < grid->columnCount(); ++column)
        headers << grid->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headers, QStringList({"ID", "Code", "Description", "Amount"}));
    QCOMPARE(grid->index(2, 2).data().toString(), "X-ray");
    QVERIFY(!mainWindow()->isEnabled());
}

void CatalogTest::newWithAKnownCodeShowsItAndStartsNothing() {
    QWidget* screen = openScreen();
    env_->dialogs.expectInput("Code Number :", "", "12", QString());
    env_->dialogs.expectNotice("12is found");
    click(screen, "SSCommand2");
    QCOMPARE(shown(screen), QStringList({"12", "Dressing", "30"}));
    QVERIFY(isBrowsing(screen));
    QCOMPARE(catalog().size(), 3);
}

void CatalogTest::newWithAnUnknownCodeIsSavedAsANewProcedure() {
    QWidget* screen = openScreen();
    env_->dialogs.expectInput("Code Number :", "", "15", QString());
    click(screen, "SSCommand2");
    QVERIFY(isEditing(screen));
    QCOMPARE(shown(screen), QStringList({"15", "", ""}));
    QVERIFY(!child(screen, "DBGrid1")->isEnabled());

    QTest::keyClicks(box(screen, "Text2"), "Filling");
    QTest::keyClicks(box(screen, "Text4"), "180");
    // Enter in the code box of the new procedure keeps what was typed into it.
    env_->dialogs.expectNotice("not found");
    QTest::keyClick(box(screen, "Text1"), Qt::Key_Return);
    QCOMPARE(shown(screen), QStringList({"15", "Filling", "180"}));
    click(screen, "SSCommand1");
    QVERIFY(isBrowsing(screen));
    QCOMPARE(catalog().last(), "15|Filling|180");
    QCOMPARE(catalog().size(), 4);
    QCOMPARE(child<QTableView>(screen, "DBGrid1")->model()->rowCount(), 4);
    QCOMPARE(shown(screen), QStringList({"15", "Filling", "180"}));
}

void CatalogTest::newIsCancelledWithoutARecord() {
    QWidget* screen = openScreen();
    env_->dialogs.expectInput("Code Number :", "", "15", QString());
    click(screen, "SSCommand2");
    QTest::keyClicks(box(screen, "Text2"), "Filling");
    click(screen, "SSCommand4");
    QVERIFY(isBrowsing(screen));
    QCOMPARE(catalog().size(), 3);
    QCOMPARE(shown(screen), QStringList({"10", "Consultation", "100"}));
}

void CatalogTest::emptyOrCancelledAnswersChangeNothing() {
    QWidget* screen = openScreen();
    env_->dialogs.expectInput("Code Number :", "", "", QString());
    env_->dialogs.expectInput("Code Number :", "", "", QString());
    click(screen, "SSCommand2");
    click(screen, "SSCommand3");
    QVERIFY(isBrowsing(screen));
    QCOMPARE(shown(screen), QStringList({"10", "Consultation", "100"}));
    QCOMPARE(catalog().size(), 3);
}

void CatalogTest::openFindsTheCodeOrSaysNotFound() {
    QWidget* screen = openScreen();
    env_->dialogs.expectInput("Code Number :", "", "20", QString());
    click(screen, "SSCommand3");
    QCOMPARE(shown(screen), QStringList({"20", "X-ray", "250"}));
    QCOMPARE(child<QTableView>(screen, "DBGrid1")->currentIndex().row(), 2);

    env_->dialogs.expectInput("Code Number :", "", "77", QString());
    env_->dialogs.expectNotice("not found");
    click(screen, "SSCommand3");
    QCOMPARE(shown(screen), QStringList({"20", "X-ray", "250"}));
    QVERIFY(isBrowsing(screen));
}

void CatalogTest::gridShowsAndSelectsAProcedureBeyondItsFirstRows() {
    for (int code = 21; code < 60; ++code)
        addProcedure(QString::number(code), "Procedure " + QString::number(code), code);
    QWidget* screen = openScreen();
    auto* grid = child<QTableView>(screen, "DBGrid1");
    env_->dialogs.expectInput("Code Number :", "", "55", QString());
    click(screen, "SSCommand3");
    QCOMPARE(shown(screen), QStringList({"55", "Procedure 55", "55"}));
    const int row = grid->currentIndex().row();
    QCOMPARE(grid->model()->index(row, 1).data().toString(), "55");
    QVERIFY(grid->selectionModel()->isRowSelected(row, QModelIndex()));
    QVERIFY(grid->viewport()->rect().contains(grid->visualRect(grid->currentIndex()).center()));
}

void CatalogTest::enterInTheCodeBoxFindsTheProcedure() {
    QWidget* screen = openScreen();
    retype(screen, "Text1", "12");
    QTest::keyClick(box(screen, "Text1"), Qt::Key_Return);
    QCOMPARE(shown(screen), QStringList({"12", "Dressing", "30"}));
    QVERIFY(isBrowsing(screen));
    // The code typed for the search was not written into the procedure shown before.
    QCOMPARE(catalog(), QStringList({"10|Consultation|100", "12|Dressing|30", "20|X-ray|250"}));
}

void CatalogTest::enterWithAnUnknownCodeLeavesTheShownProcedureAlone() {
    QWidget* screen = openScreen();
    retype(screen, "Text1", "55");
    env_->dialogs.expectNotice("not found");
    QTest::keyClick(box(screen, "Text1"), Qt::Key_Enter);
    QVERIFY(isEditing(screen));
    QCOMPARE(box(screen, "Text1")->text(), "55");

    // Cancel drops the typed code; the procedure shown before still has its own.
    click(screen, "SSCommand4");
    QVERIFY(isBrowsing(screen));
    QCOMPARE(shown(screen), QStringList({"10", "Consultation", "100"}));

    // Save keeps the typed code as a procedure of its own.
    retype(screen, "Text1", "55");
    env_->dialogs.expectNotice("not found");
    QTest::keyClick(box(screen, "Text1"), Qt::Key_Return);
    QTest::keyClicks(box(screen, "Text2"), "Scaling");
    QTest::keyClicks(box(screen, "Text4"), "90");
    click(screen, "SSCommand1");
    QCOMPARE(catalog(), QStringList({"10|Consultation|100", "12|Dressing|30", "20|X-ray|250",
                                     "55|Scaling|90"}));
}

void CatalogTest::editsReachTheDatabaseOnlyThroughSave() {
    QWidget* screen = openScreen();
    retype(screen, "Text4", "120");
    env_->dialogs.expectInput("Code Number :", "", "20", QString());
    click(screen, "SSCommand3");
    QCOMPARE(catalog().first(), "10|Consultation|100");

    retype(screen, "Text2", "X-ray, two views");
    click(screen, "SSCommand1");
    QCOMPARE(catalog().last(), "20|X-ray, two views|250");
    QVERIFY(isBrowsing(screen));
}

void CatalogTest::refusedStoreShowsTheEngineTextAndKeepsTheTypedValues() {
    QWidget* screen = openScreen();
    retype(screen, "Text2", "");
    env_->dialogs.expectMessage(
        "CHECK constraint failed: Field 'file_desc.descrip' cannot be a zero-length string");
    click(screen, "SSCommand1");
    QCOMPARE(shown(screen), QStringList({"10", "", "100"}));
    QVERIFY(isBrowsing(screen));

    env_->dialogs.expectInput("Code Number :", "", "123", QString());
    click(screen, "SSCommand2");
    QTest::keyClicks(box(screen, "Text2"), "Crown");
    env_->dialogs.expectMessage(
        "CHECK constraint failed: The field 'file_desc.code' holds at most 2 characters");
    click(screen, "SSCommand1");
    QVERIFY(isBrowsing(screen));
    QCOMPARE(shown(screen), QStringList({"123", "Crown", ""}));
    QCOMPARE(catalog(), QStringList({"10|Consultation|100", "12|Dressing|30", "20|X-ray|250"}));
}

void CatalogTest::codesWithQuotesAreSearchedLiterally() {
    addProcedure("1'", "Odd code", 5);
    QWidget* screen = openScreen();
    env_->dialogs.expectInput("Code Number :", "", "1'", QString());
    click(screen, "SSCommand3");
    QCOMPARE(shown(screen), QStringList({"1'", "Odd code", "5"}));
    env_->dialogs.expectInput("Code Number :", "", "' or '1'='1", QString());
    env_->dialogs.expectNotice("not found");
    click(screen, "SSCommand3");
}

void CatalogTest::amountBoxTakesAtMostFourDigits() {
    QWidget* screen = openScreen();
    QLineEdit* amount = box(screen, "Text4");
    retype(screen, "Text4", "1.5-a2 ");
    QCOMPARE(amount->text(), "152");
    QTest::keyClick(amount, Qt::Key_Backspace);
    QCOMPARE(amount->text(), "15");
    QTest::keyClicks(amount, "67890");
    QCOMPARE(amount->text(), "1567");
    QTest::keyClick(amount, Qt::Key_Return);
    QCOMPARE(amount->text(), "1567");
    // A price pasted from the box's menu: no sign, no letter gets in.
    amount->clear();
    for (const char* pasted : {"-5", "12a", "+7"}) {
        QGuiApplication::clipboard()->setText(pasted);
        amount->paste();
        QCOMPARE(amount->text(), "");
    }
}

void CatalogTest::deleteRemovesTheProcedureAndShowsTheFirst() {
    QWidget* screen = openScreen();
    env_->dialogs.expectInput("Code Number :", "", "12", QString());
    click(screen, "SSCommand3");
    click(screen, "SSCommand5");
    QCOMPARE(catalog(), QStringList({"10|Consultation|100", "20|X-ray|250"}));
    QCOMPARE(shown(screen), QStringList({"10", "Consultation", "100"}));
    QCOMPARE(child<QTableView>(screen, "DBGrid1")->model()->rowCount(), 2);
}

void CatalogTest::deleteOnAnEmptyCatalogSaysWhy() {
    runQuery(clinicDatabase(), "DELETE FROM file_desc");
    QWidget* screen = openScreen();
    QCOMPARE(shown(screen), QStringList({"", "", ""}));
    env_->dialogs.expectMessage("No current record.");
    click(screen, "SSCommand5");
    QVERIFY(screen->isVisible());
    QVERIFY(isBrowsing(screen));
}

void CatalogTest::quitWaitsForTheEditToEnd() {
    QPointer<QWidget> screen = openScreen();
    env_->dialogs.expectInput("Code Number :", "", "15", QString());
    click(screen, "SSCommand2");
    // While a procedure is being edited, the edit must be ended first.
    click(screen, "SSCommand6");
    QVERIFY(!isDeleted(screen));
    QVERIFY(!mainWindow()->isEnabled());
    click(screen, "SSCommand4");
    click(screen, "SSCommand6");
    QVERIFY(isDeleted(screen));
    QVERIFY(mainWindow()->isEnabled());
    QCOMPARE(catalog().size(), 3);
}

void CatalogTest::boxesAndPanelsAreAsDesigned() {
    QWidget* screen = openScreen();
    QVERIFY(child(screen, "SSPanel1")->isAncestorOf(child(screen, "Text2")));
    QVERIFY(child(screen, "SSPanel2")->isAncestorOf(child(screen, "SSCommand5")));
    QCOMPARE(box(screen, "Text2")->maxLength(), 45);
    QCOMPARE(box(screen, "Text4")->maxLength(), 4);
    QVERIFY(screen->findChild<QObject*>("Data1"));
}

QTEST_MAIN(CatalogTest)
#include "test_catalog.moc"
