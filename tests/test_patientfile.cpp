#include "support/clinicrows.h"
#include "support/reportpages.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "binding/maskededit.h"
#include "db/clinic/reportrows.h"
#include "db/engine/connection.h"
#include "patients/patientfilescreen.h"
#include "patients/patientreports.h"
#include "reportengine/reportlayout.h"
#include "reportengine/reportpreview.h"
#include "reports/reportinstances.h"
#include "screens/screens.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDropEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPrinterInfo>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

QVariant patientField(const QString& fileNumber, const QString& field) {
    return valueIn("SELECT " + field + " FROM per_inf_data WHERE file_num = ?", {fileNumber});
}

int patientCount() {
    return countOf("per_inf_data");
}

// The buttons of viewing a file, or of adding one with the named Cancel button.
bool showsState(QWidget* screen, const QString& cancel = QString()) {
    const bool adding = !cancel.isEmpty();
    for (const char* name : {"SSCommand4", "SSCommand2", "SSCommand6", "SSCommand7"})
        if (child(screen, name)->isEnabled() == adding)
            return false;
    return child(screen, "SSCommand1")->isEnabled() &&
           child(screen, "SSCommand3")->isVisible() == !adding &&
           child(screen, "SSCommand5")->isVisible() == (cancel == "SSCommand5") &&
           child(screen, "SSCommand8")->isVisible() == (cancel == "SSCommand8");
}

// Edits a grid cell as a user does: F2, the new text over the old, Enter.
void editCell(QTableView* grid, int row, int column, const QString& text) {
    grid->setFocus();
    const QModelIndex cell = grid->model()->index(row, column);
    grid->setCurrentIndex(cell);
    QTest::keyClick(grid, Qt::Key_F2);
    QWidget* editor = grid->indexWidget(cell);
    QVERIFY(editor);
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    // The grid takes the editor's text once the event loop is back.
    QCoreApplication::processEvents();
}

} // namespace

class PatientFileTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();

    void cancellingTheFirstPromptClosesTheScreen();
    void unknownFirstNumberBeginsAFileThatCancelDiscards();
    void knownFirstNumberShowsTheFile();
    void saveComposesTheFullName_data();
    void saveComposesTheFullName();
    void savedNewFileKeepsEveryBoxAndShowsIt();
    void dateBoxShowsAStoredDateInItsDisplayFormat();
    void newFindsAnExistingFileAndStoresTheEditsOfTheOldOne();
    void newWithAnUnknownNumberIsCancelledBackToTheFileShown();
    void openMovesByNumberOrSaysNotFound();
    void refusedStoreShowsTheEngineTextAndKeepsTheTypedValues();
    void closingStoresEditsUnlessTheyAreRefused();
    void closingDuringANewFileStoresItAsSaveWould();
    void closingDuringARefusedNewFileSaysWhyAndKeepsIt();
    void untouchedTemporaryBoxStoresNo();
    void deleteRemovesTheFileButNotItsInvoices();
    void deleteWithNoFileLeftDoesNothing();
    void invoicesTabListsOnlyThisPatientsInvoices();
    void invoiceNumberIsTheOnlyCellThatCannotBeEdited();
    void invoicesGridRowIsWrittenWhenTheUserLeavesIt();
    void refusedInvoicesGridRowSaysWhyAndKeepsWhatWasTyped();
    void boxesTakeOnlyWhatTheirFieldsHold();
    void digitBoxesHoldOnlyDigitsHoweverTextArrives();
    void lengthLimitsKeepWholeCharacters();
    void fourFullNamesAreStoredWithTheFullNameCutToItsColumn();
    void comboBoxesOfferTheirItemsAndKeepTypedText();
    void tabKeyFollowsTheFilesOrder();
    void arabicNamesAreStoredFoundAndPrintedRightToLeft();
    void printSendsTheSheetToTheDefaultPrinter();
    void printThatCannotReadTheDatabaseSaysWhy();
    void nationalityCountShowsOneRowPerGroupAndTheTotal();

  private:
    // Opens the screen as the main window does and answers its first prompt with a file number
    // that is on file, or one that is not.
    enum class Number { Known, Unknown };
    QWidget* openScreen(const QString& firstAnswer, Number number = Number::Known);
    // The invoices tab of a patient's file.
    QTableView* openInvoicesTab(const QString& fileNumber);

    std::unique_ptr<TestEnv> env_;
};

void PatientFileTest::init() {
    env_ = std::make_unique<TestEnv>();
    env_->createDatabase();
    standInForMainWindow();
    Screens::registerFactory(Screen::PatientFile,
                             [] { return new PatientFileScreen(AppSettings()); });
    addPatient({{"file_num", "A1"},
                {"pt_name_f", "Ali"},
                {"pt_name_s", "Hasan"},
                {"pt_name_fm", "Omar"},
                {"pt_name", "Ali Hasan Omar"},
                {"pt_age", "40"},
                {"pt_nationality", "SAUDI"},
                {"pt_tel_h", "4561234"},
                {"file_data", "01/02/2020"},
                {"temporary", 0}});
    addPatient({{"file_num", "B2"}, {"pt_name_f", "Sara"}, {"pt_name_fm", "Nasser"}});
}

void PatientFileTest::cleanup() {
    env_.reset();
}

QWidget* PatientFileTest::openScreen(const QString& firstAnswer, Number number) {
    env_->dialogs.expectInput("File Number :", "Open File", firstAnswer, QString());
    if (number == Number::Unknown)
        env_->dialogs.expectNotice("not found");
    return showScreen(Screen::PatientFile);
}

void PatientFileTest::cancellingTheFirstPromptClosesTheScreen() {
    QPointer<QWidget> screen = openScreen("");
    QVERIFY(isDeleted(screen));
    QVERIFY(mainWindow()->isEnabled());
}

void PatientFileTest::unknownFirstNumberBeginsAFileThatCancelDiscards() {
    QPointer<QWidget> screen = openScreen("C3", Number::Unknown);
    QCOMPARE(box(screen, "Text1")->text(), "C3");
    QCOMPARE(child<MaskedEdit>(screen, "Mask1")->value(), "06/12/2026");
    QCOMPARE(box(screen, "Text2")->text(), "");
    QVERIFY(showsState(screen, "SSCommand8"));
    QVERIFY(!mainWindow()->isEnabled());

    QTest::keyClicks(box(screen, "Text2"), "Mona");
    click(screen, "SSCommand8");
    QVERIFY(isDeleted(screen));
    QVERIFY(mainWindow()->isEnabled());
    QCOMPARE(patientCount(), 2);
}

void PatientFileTest::knownFirstNumberShowsTheFile() {
    QWidget* screen = openScreen("A1");
    QCOMPARE(box(screen, "Text2")->text(), "Ali");
    QCOMPARE(box(screen, "Text5")->text(), "Omar");
    QCOMPARE(box(screen, "Text6")->text(), "40");
    QCOMPARE(box(screen, "Text11")->text(), "4561234");
    QCOMPARE(child<QComboBox>(screen, "Combo1")->currentText(), "SAUDI");
    QCOMPARE(child<MaskedEdit>(screen, "Mask1")->value(), "01/02/2020");
    QVERIFY(showsState(screen));
}

void PatientFileTest::saveComposesTheFullName_data() {
    QTest::addColumn<QString>("third");
    QTest::addColumn<QString>("fullName");
    QTest::newRow("without a third name") << ""
                                          << "Khalid Saad Harbi";
    QTest::newRow("with all four names") << "Fahd"
                                         << "Khalid Saad Fahd Harbi";
    QTest::newRow("blanks around the parts") << "  Fahd "
                                             << "Khalid Saad Fahd Harbi";
}

void PatientFileTest::saveComposesTheFullName() {
    QFETCH(QString, third);
    QFETCH(QString, fullName);
    QWidget* screen = openScreen("D4", Number::Unknown);
    QTest::keyClicks(box(screen, "Text2"), " Khalid");
    QTest::keyClicks(box(screen, "Text3"), "Saad ");
    QTest::keyClicks(box(screen, "Text4"), third);
    QTest::keyClicks(box(screen, "Text5"), "Harbi");
    click(screen, "SSCommand1");
    QCOMPARE(patientField("D4", "pt_name").toString(), fullName);
    QCOMPARE(patientField("D4", "pt_name_f").toString(), " Khalid");
}

// Four parts of twelve characters make a full name longer than its column: the file is saved,
// each part whole, the full name cut to the column's forty characters.
void PatientFileTest::fourFullNamesAreStoredWithTheFullNameCutToItsColumn() {
    QWidget* screen = openScreen("D4", Number::Unknown);
    const QStringList parts{"Abdulrahmaan", "Mohammedaziz", "Abdulkareemm", "Alqahtaniyah"};
    const char* boxes[] = {"Text2", "Text3", "Text4", "Text5"};
    for (int i = 0; i < 4; ++i)
        QTest::keyClicks(box(screen, boxes[i]), parts[i]);
    click(screen, "SSCommand1");
    QCOMPARE(patientField("D4", "pt_name").toString(), "Abdulrahmaan Mohammedaziz Abdulkareemm A");
    QCOMPARE(patientField("D4", "pt_name_t").toString(), "Abdulkareemm");
    QCOMPARE(patientField("D4", "pt_name_fm").toString(), "Alqahtaniyah");
    QVERIFY(showsState(screen));
}

void PatientFileTest::savedNewFileKeepsEveryBoxAndShowsIt() {
    QWidget* screen = openScreen("E5", Number::Unknown);
    QTest::keyClicks(box(screen, "Text2"), "Huda");
    QTest::keyClicks(box(screen, "Text5"), "Qahtani");
    QTest::keyClicks(box(screen, "Text6"), "33");
    QTest::keyClicks(child(screen, "Combo1"), "NON SAUDI");
    QTest::keyClicks(box(screen, "Text13"), "2223333");
    QTest::keyClicks(box(screen, "Text16"), "Majed Qahtani");
    QTest::keyClicks(box(screen, "Text24"), "allergic to penicillin");
    QTest::keyClicks(box(screen, "Text8"), "0555123456");
    child<QCheckBox>(screen, "Check1")->click();
    click(screen, "SSCommand1");

    QCOMPARE(patientCount(), 3);
    QCOMPARE(patientField("E5", "pt_name").toString(), "Huda  Qahtani");
    QCOMPARE(patientField("E5", "pt_age").toString(), "33");
    QCOMPARE(patientField("E5", "pt_nationality").toString(), "NON SAUDI");
    QCOMPARE(patientField("E5", "pt_tel_w").toString(), "2223333");
    QCOMPARE(patientField("E5", "rel_name").toString(), "Majed Qahtani");
    QCOMPARE(patientField("E5", "comm").toString(), "allergic to penicillin");
    QCOMPARE(patientField("E5", "mobileno").toString(), "0555123456");
    QCOMPARE(patientField("E5", "file_data").toString(), "06/12/2026");
    QCOMPARE(patientField("E5", "temporary").toInt(), 1);
    QVERIFY(showsState(screen));
    QCOMPARE(box(screen, "Text1")->text(), "E5");
}

void PatientFileTest::dateBoxShowsAStoredDateInItsDisplayFormat() {
    addPatient({{"file_num", "C3"}, {"file_data", "5/3/2007"}});
    addPatient({{"file_num", "D4"}, {"file_data", "2007-03-06"}});
    QWidget* screen = openScreen("C3");
    auto* date = child<MaskedEdit>(screen, "Mask1");
    QCOMPARE(date->displayText(), "05/03/2007");
    env_->dialogs.expectInput("File Number :", "Open File", "D4");
    click(screen, "SSCommand3");
    QCOMPARE(date->displayText(), "06/03/2007");
    // Shown is not changed: the stored text stays until the user edits it.
    screen->close();
    QCOMPARE(patientField("D4", "file_data").toString(), "2007-03-06");
}

void PatientFileTest::newFindsAnExistingFileAndStoresTheEditsOfTheOldOne() {
    QWidget* screen = openScreen("A1");
    retype(screen, "Text10", "Engineer");
    env_->dialogs.expectInput("File Number :", "Open File", " B2 ");
    env_->dialogs.expectNotice("is found");
    click(screen, "SSCommand2");
    QCOMPARE(box(screen, "Text2")->text(), "Sara");
    QCOMPARE(patientField("A1", "pt_occupation").toString(), "Engineer");
    QVERIFY(showsState(screen));

    env_->dialogs.expectInput("File Number :", "Open File", "");
    click(screen, "SSCommand2");
    QCOMPARE(box(screen, "Text2")->text(), "Sara");
    QVERIFY(showsState(screen));
}

void PatientFileTest::newWithAnUnknownNumberIsCancelledBackToTheFileShown() {
    QWidget* screen = openScreen("A1");
    env_->dialogs.expectInput("File Number :", "Open File", "F6");
    click(screen, "SSCommand2");
    QCOMPARE(box(screen, "Text1")->text(), "F6");
    QCOMPARE(box(screen, "Text2")->text(), "");
    QCOMPARE(child<MaskedEdit>(screen, "Mask1")->value(), "06/12/2026");
    QVERIFY(showsState(screen, "SSCommand5"));

    QTest::keyClicks(box(screen, "Text2"), "Nora");
    click(screen, "SSCommand5");
    QCOMPARE(box(screen, "Text1")->text(), "A1");
    QCOMPARE(box(screen, "Text2")->text(), "Ali");
    QCOMPARE(child<MaskedEdit>(screen, "Mask1")->value(), "01/02/2020");
    QVERIFY(showsState(screen));
    QCOMPARE(patientCount(), 2);
}

void PatientFileTest::openMovesByNumberOrSaysNotFound() {
    QWidget* screen = openScreen("A1");
    retype(screen, "Text15", "Riyadh");
    env_->dialogs.expectInput("File Number :", "Open File", "Z9");
    env_->dialogs.expectNotice("not found");
    click(screen, "SSCommand3");
    QCOMPARE(box(screen, "Text2")->text(), "Ali");
    QCOMPARE(box(screen, "Text15")->text(), "Riyadh");

    env_->dialogs.expectInput("File Number :", "Open File", "B2");
    click(screen, "SSCommand3");
    QCOMPARE(box(screen, "Text2")->text(), "Sara");
    QCOMPARE(patientField("A1", "pt_address").toString(), "Riyadh");

    // A number with an apostrophe is a number like any other.
    env_->dialogs.expectInput("File Number :", "Open File", "O'1");
    env_->dialogs.expectNotice("not found");
    click(screen, "SSCommand3");
    QCOMPARE(box(screen, "Text2")->text(), "Sara");
}

void PatientFileTest::refusedStoreShowsTheEngineTextAndKeepsTheTypedValues() {
    QWidget* screen = openScreen("A1");
    retype(screen, "Text1", "");
    retype(screen, "Text10", "Teacher");
    env_->dialogs.expectMessage("275 -> CHECK constraint failed: Field 'per_inf_data.file_num' "
                                "cannot be a zero-length string");
    click(screen, "SSCommand1");
    QCOMPARE(box(screen, "Text1")->text(), "");
    QCOMPARE(box(screen, "Text10")->text(), "Teacher");
    QVERIFY(patientField("A1", "pt_occupation").isNull());

    // The same refusal keeps the screen on its file when it would move to another one.
    env_->dialogs.expectInput("File Number :", "Open File", "B2");
    env_->dialogs.expectMessage("275 -> CHECK constraint failed: Field 'per_inf_data.file_num' "
                                "cannot be a zero-length string");
    click(screen, "SSCommand3");
    QCOMPARE(box(screen, "Text10")->text(), "Teacher");
    QCOMPARE(box(screen, "Text2")->text(), "Ali");

    retype(screen, "Text1", "A1");
    click(screen, "SSCommand1");
    QCOMPARE(patientField("A1", "pt_occupation").toString(), "Teacher");
}

void PatientFileTest::closingStoresEditsUnlessTheyAreRefused() {
    QPointer<QWidget> screen = openScreen("B2");
    QTest::keyClicks(box(screen, "Text17"), "123");
    env_->dialogs.expectMessage(
        "275 -> CHECK constraint failed: The field 'per_inf_data.rel_age' holds at most 2 "
        "characters");
    click(screen, "SSCommand4");
    QVERIFY(!isDeleted(screen));
    QVERIFY(!mainWindow()->isEnabled());

    QTest::keyClick(box(screen, "Text17"), Qt::Key_Backspace);
    screen->close();
    QVERIFY(isDeleted(screen));
    QVERIFY(mainWindow()->isEnabled());
    QCOMPARE(patientField("B2", "rel_age").toString(), "12");
}

void PatientFileTest::closingDuringANewFileStoresItAsSaveWould() {
    QPointer<QWidget> screen = openScreen("G7", Number::Unknown);
    QTest::keyClicks(box(screen, "Text2"), "Laila");
    QTest::keyClicks(box(screen, "Text5"), "Harbi");
    screen->close();
    QVERIFY(isDeleted(screen));
    QVERIFY(mainWindow()->isEnabled());
    QCOMPARE(patientCount(), 3);
    QCOMPARE(patientField("G7", "pt_name").toString(), "Laila  Harbi");
    QCOMPARE(patientField("G7", "temporary").toInt(), 0);
}

void PatientFileTest::closingDuringARefusedNewFileSaysWhyAndKeepsIt() {
    QPointer<QWidget> screen = openScreen("H8", Number::Unknown);
    QTest::keyClicks(box(screen, "Text2"), "Laila");
    QTest::keyClicks(box(screen, "Text17"), "123");
    env_->dialogs.expectMessage(
        "275 -> CHECK constraint failed: The field 'per_inf_data.rel_age' holds at most 2 "
        "characters");
    screen->close();
    discardClosed();
    QVERIFY(!isDeleted(screen));
    QVERIFY(!mainWindow()->isEnabled());
    QCOMPARE(box(screen, "Text2")->text(), "Laila");
    QVERIFY(showsState(screen, "SSCommand8"));
    QCOMPARE(patientCount(), 2);
}

void PatientFileTest::untouchedTemporaryBoxStoresNo() {
    QWidget* screen = openScreen("J9", Number::Unknown);
    click(screen, "SSCommand1");
    QCOMPARE(patientField("J9", "temporary"), QVariant(0));
}

void PatientFileTest::deleteRemovesTheFileButNotItsInvoices() {
    addInvoice("A1", "01/11/2026", 300, 100);
    addInvoice("A1", "01/11/2026", 150, 0);
    QWidget* screen = openScreen("B2");
    click(screen, "SSCommand6");
    QCOMPARE(patientCount(), 1);
    QVERIFY(patientField("B2", "file_num").isNull());
    QCOMPARE(box(screen, "Text1")->text(), "A1");

    click(screen, "SSCommand6");
    QCOMPARE(patientCount(), 0);
    QCOMPARE(valueIn("SELECT count(*) FROM pt_sh WHERE file_num = 'A1'").toInt(), 2);
    QCOMPARE(box(screen, "Text1")->text(), "");
}

void PatientFileTest::deleteWithNoFileLeftDoesNothing() {
    runQuery(clinicDatabase(), "DELETE FROM per_inf_data WHERE file_num = 'B2'");
    QPointer<QWidget> screen = openScreen("A1");
    click(screen, "SSCommand6");
    click(screen, "SSCommand6");
    QCOMPARE(patientCount(), 0);

    // Typing into the empty screen and leaving it neither writes nor holds the screen open.
    QTest::keyClicks(box(screen, "Text2"), "Omar");
    click(screen, "SSCommand4");
    QVERIFY(isDeleted(screen));
    QCOMPARE(patientCount(), 0);
}

void PatientFileTest::invoicesTabListsOnlyThisPatientsInvoices() {
    addInvoice("A1", "01/11/2026", 300, 100);
    addInvoice("B2", "01/11/2026", 999, 999);
    addInvoice("A1", "01/11/2026", 1500, 0);
    QWidget* screen = openScreen("A1");
    auto* tabs = child<QTabWidget>(screen, "SSTab1");
    auto* grid = child<QTableView>(screen, "DBGrid1");
    QAbstractItemModel* model = grid->model();

    tabs->setCurrentIndex(1);
    QCOMPARE(model->rowCount(), 2);
    QStringList captions;
    for (int column = 0; column < model->columnCount(); ++column)
        captions << model->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(captions, QStringList({"Patient No", "Invoice No", "Date", "Amount", "Due"}));
    QCOMPARE(model->index(1, 0).data().toString(), "A1");
    QCOMPARE(model->index(1, 1).data().toInt(), 3);
    QCOMPARE(model->index(1, 3).data().toString(), QLocale().toCurrencyString(1500.0));

    tabs->setCurrentIndex(0);
    env_->dialogs.expectInput("File Number :", "Open File", "B2");
    click(screen, "SSCommand3");
    tabs->setCurrentIndex(1);
    QCOMPARE(model->rowCount(), 1);
    QCOMPARE(model->index(0, 3).data().toString(), QLocale().toCurrencyString(999.0));
}

QTableView* PatientFileTest::openInvoicesTab(const QString& fileNumber) {
    QWidget* screen = openScreen(fileNumber);
    child<QTabWidget>(screen, "SSTab1")->setCurrentIndex(1);
    return child<QTableView>(screen, "DBGrid1");
}

void PatientFileTest::invoiceNumberIsTheOnlyCellThatCannotBeEdited() {
    addInvoice("A1", "01/11/2026", 300, 100);
    QAbstractItemModel* model = openInvoicesTab("A1")->model();
    for (int column = 0; column < model->columnCount(); ++column)
        QCOMPARE(bool(model->flags(model->index(0, column)) & Qt::ItemIsEditable), column != 1);
    QVERIFY(!model->setData(model->index(0, 1), 99));
    QCOMPARE(valueIn("SELECT po_num FROM pt_sh").toInt(), 1);
}

void PatientFileTest::invoicesGridRowIsWrittenWhenTheUserLeavesIt() {
    const int first = addInvoice("A1", "01/11/2026", 300, 100);
    addInvoice("A1", "03/11/2026", 500, 0);
    // The clinic takes money in ways of its own too, listed after the program's.
    AppSettings().paymentkinds = "Mada; Insurance ;;Card";
    QTableView* grid = openInvoicesTab("A1");
    editCell(grid, 0, 2, "02/11/2026");
    editCell(grid, 0, 4, "0");
    const QString stored =
        "SELECT po_date, po_netd FROM pt_sh WHERE po_num = " + QString::number(first);
    QCOMPARE(rowsOf(stored), QStringList({"01/11/2026|100"}));
    // The net due lowered is a payment received today, of the kind the user names.
    env_->dialogs.expectChoice("Payment received today: 100\nPaid in :", "Payment",
                               {"Cash", "Card", "Bank transfer", "Cheque", "Mada", "Insurance"},
                               "Cash", "Mada");
    clickRow(grid, 1);
    QCOMPARE(rowsOf(stored), QStringList({"02/11/2026|0"}));
    QCOMPARE(rowsOf("SELECT po_num, pay_date, amount, kind FROM payments"),
             QStringList{QString::number(first) + "|06/12/2026|100|Mada"});
    QCOMPARE(grid->model()->index(0, 4).data().toString(), QLocale().toCurrencyString(0.0));
}

void PatientFileTest::refusedInvoicesGridRowSaysWhyAndKeepsWhatWasTyped() {
    addInvoice("A1", "01/11/2026", 300, 100);
    addInvoice("A1", "03/11/2026", 500, 0);
    QTableView* grid = openInvoicesTab("A1");
    QPointer<QWidget> screen = grid->window();
    editCell(grid, 0, 2, "01/11/20261");
    const QString refusal =
        "CHECK constraint failed: The field 'pt_sh.po_date' holds at most 10 characters";
    env_->dialogs.expectMessage(refusal);
    clickRow(grid, 1);
    QCoreApplication::processEvents();
    QCOMPARE(grid->currentIndex().row(), 0);
    QCOMPARE(grid->model()->index(0, 2).data().toString(), "01/11/20261");

    env_->dialogs.expectMessage(refusal);
    screen->close();
    discardClosed();
    QVERIFY(!isDeleted(screen));

    editCell(grid, 0, 2, "05/11/2026");
    screen->close();
    QVERIFY(isDeleted(screen));
    QCOMPARE(firstColumnOf("SELECT po_date FROM pt_sh ORDER BY po_num"),
             QStringList({"05/11/2026", "03/11/2026"}));
}

void PatientFileTest::boxesTakeOnlyWhatTheirFieldsHold() {
    QWidget* screen = openScreen("B2");
    for (const char* name : {"Text6", "Text11", "Text12", "Text13", "Text14", "Text17", "Text20",
                             "Text21", "Text22", "Text23"}) {
        QLineEdit* edit = box(screen, name);
        QTest::keyClicks(edit, "1a -2/");
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, "3x");
        QCOMPARE(edit->text(), "13");
    }
    for (const char* name : {"Text8", "Text9", "Text10"}) {
        QTest::keyClicks(box(screen, name), "1a-2");
        QCOMPARE(box(screen, name)->text(), "1a-2");
    }
    // Each box stops taking characters where its field ends.
    const QString longText = "12345678901234567890123456789012345678901234567890123";
    for (const auto& [name, length] : {std::pair{"Text6", 2},
                                       {"Text12", 4},
                                       {"Text2", 12},
                                       {"Text15", 25},
                                       {"Text16", 40},
                                       {"Text24", 50}}) {
        box(screen, name)->clear();
        QTest::keyClicks(box(screen, name), longText);
        QCOMPARE(box(screen, name)->text(), longText.left(length));
    }
}

void PatientFileTest::comboBoxesOfferTheirItemsAndKeepTypedText() {
    QWidget* screen = openScreen("B2");
    auto items = [](QComboBox* combo) {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    };
    auto* nationality = child<QComboBox>(screen, "Combo1");
    auto* social = child<QComboBox>(screen, "Combo2");
    QCOMPARE(items(nationality), QStringList({"", "SAUDI", "NON SAUDI"}));
    QCOMPARE(items(social),
             QStringList({"   \t\t\t", "SINGL", "MARIED", "DIVORCE", "WIDOW", "ENGAGED"}));

    QTest::keyClicks(nationality, "EGYPTIAN");
    social->setCurrentIndex(2);
    click(screen, "SSCommand1");
    QCOMPARE(patientField("B2", "pt_nationality").toString(), "EGYPTIAN");
    QCOMPARE(patientField("B2", "pt_social").toString(), "MARIED");
    QCOMPARE(nationality->count(), 3);
}

// The date comes before the address, the temporary flag and the mobile number after the
// relative's comment.
void PatientFileTest::tabKeyFollowsTheFilesOrder() {
    QWidget* screen = openScreen("B2");
    QVERIFY(QTest::qWaitForWindowActive(screen));
    box(screen, "Text1")->setFocus();
    QStringList order;
    for (int i = 0; i < 29; ++i) {
        order << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(order, QString("Text1 Text2 Text3 Text4 Text5 Text6 Combo1 Combo2 Text9 Text10 "
                            "Text11 Text12 Text13 Text14 Mask1 Text15 Text16 Text17 Text18 "
                            "Text19 Text20 Text21 Text22 Text23 Text24 Check1 Text8 SSCommand1 "
                            "SSCommand2")
                        .split(' '));
}

void PatientFileTest::arabicNamesAreStoredFoundAndPrintedRightToLeft() {
    const QString given = QString::fromUtf8("محمد");
    const QString family = QString::fromUtf8("العتيبي");
    QWidget* screen = openScreen("H8", Number::Unknown);
    typeText(box(screen, "Text2"), given);
    typeText(box(screen, "Text3"), QString::fromUtf8("عبدالله"));
    typeText(box(screen, "Text5"), family);
    typeText(box(screen, "Text15"), QString::fromUtf8("جدة، حي الروضة"));
    click(screen, "SSCommand1");
    const QString fullName = given + " " + QString::fromUtf8("عبدالله") + " " + family;
    QCOMPARE(patientField("H8", "pt_name").toString(), fullName);

    env_->dialogs.expectInput("File Number :", "Open File", "A1");
    click(screen, "SSCommand3");
    env_->dialogs.expectInput("File Number :", "Open File", "H8");
    click(screen, "SSCommand3");
    QCOMPARE(box(screen, "Text5")->text(), family);
    QVERIFY(box(screen, "Text5")->text().isRightToLeft());

    const LaidOutReport sheet = layoutReport(
        reportByName("per_inf_rep"), *patientSheetRows(AppSettings().databaseLocation(), "H8"));
    QStringList rightToLeft;
    for (const PlacedText& text : sheet.pages.at(0).content.texts)
        if (text.rightToLeft)
            rightToLeft << text.text;
    QVERIFY2(rightToLeft.contains(fullName), qPrintable(rightToLeft.join(" | ")));
    QVERIFY2(rightToLeft.contains(QString::fromUtf8("جدة، حي الروضة")),
             qPrintable(rightToLeft.join(" | ")));
}

void PatientFileTest::printSendsTheSheetToTheDefaultPrinter() {
    QVERIFY2(!QPrinterInfo::defaultPrinter().isNull(),
             "the print tests need a default printer: run tools/start-printer");
    QWidget* screen = openScreen("A1");
    retype(screen, "Text10", "Pilot");
    click(screen, "SSCommand7");
    QCOMPARE(box(screen, "Text1")->text(), "A1");
    QCOMPARE(box(screen, "Text10")->text(), "Pilot");
    QVERIFY(showsState(screen));
}

void PatientFileTest::printThatCannotReadTheDatabaseSaysWhy() {
    QWidget* screen = openScreen("A1");
    retype(screen, "Text10", "Pilot");
    const auto [number, text] = env_->loseTheDatabase();
    env_->dialogs.expectMessage(QString::number(number) + " -> " + text);
    click(screen, "SSCommand7");
    QCOMPARE(box(screen, "Text1")->text(), "A1");
    QCOMPARE(box(screen, "Text10")->text(), "Pilot");
    QVERIFY(showsState(screen));
}

void PatientFileTest::nationalityCountShowsOneRowPerGroupAndTheTotal() {
    addPatient({{"file_num", "C3"}, {"pt_nationality", "SAUDI"}, {"temporary", 0}});
    addPatient({{"file_num", "D4"}, {"pt_nationality", "SAUDI"}, {"temporary", 1}});
    addPatient({{"file_num", "E5"}, {"pt_nationality", "NON SAUDI"}, {"temporary", 0}});
    addPatient(
        {{"file_num", "F6"}, {"pt_nationality", QString::fromUtf8("يمني")}, {"temporary", 1}});
    runQuery(clinicDatabase(), "UPDATE per_inf_data SET temporary = 0 WHERE file_num = 'B2'");
    AppSettings().letterhead.clinicname = "Dar Al Shifa";
    QWidget* screen = openScreen("A1");

    LaidOutReport shown;
    QTimer::singleShot(0, [&] {
        if (auto* preview = qobject_cast<ReportPreview*>(QApplication::activeModalWidget())) {
            shown = shownReport(preview);
            preview->reject();
        }
    });
    trigger(screen, "mnNationality");

    QCOMPARE(shown.title, "Count of Patients (Temporary/Non-Temporary)");
    QList<QStringList> rows = reportRows(shown, {"Text1", "Text2", "Text3"});
    std::sort(rows.begin(), rows.end());
    const QList<QStringList> expected = {{"", "0", "No"},
                                         {"NON SAUDI", "1", "No"},
                                         {"SAUDI", "2", "No"},
                                         {"SAUDI", "1", "Yes"},
                                         {QString::fromUtf8("يمني"), "1", "Yes"}};
    QList<QStringList> sortedExpected = expected;
    std::sort(sortedExpected.begin(), sortedExpected.end());
    QCOMPARE(rows, sortedExpected);
    QCOMPARE(reportRows(shown, {"Function1"}), QList<QStringList>({{"5"}}));
    QCOMPARE(reportRows(shown, {"clinicname"}), QList<QStringList>({{"Dar Al Shifa"}}));
}

// Pasted from the box's menu, dropped, or committed by an input method: a digit box takes digits
// only, whole, or nothing.
void PatientFileTest::digitBoxesHoldOnlyDigitsHoweverTextArrives() {
    QWidget* screen = openScreen("B2");
    for (const char* name : {"Text6", "Text11", "Text21"}) {
        QLineEdit* edit = box(screen, name);
        edit->clear();
        QGuiApplication::clipboard()->setText("abc");
        edit->paste();
        QCOMPARE(edit->text(), "");

        QMimeData dropped;
        dropped.setText("-5");
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &drop);
        QCOMPARE(edit->text(), "");

        QInputMethodEvent emoji(QString(), {});
        emoji.setCommitString(QString::fromUtf8("\xF0\x9F\x98\x80"));
        QCoreApplication::sendEvent(edit, &emoji);
        QCOMPARE(edit->text(), "");

        QInputMethodEvent digits(QString(), {});
        digits.setCommitString("12");
        QCoreApplication::sendEvent(edit, &digits);
        QCOMPARE(edit->text(), "12");
    }
    click(screen, "SSCommand1");
    QCOMPARE(patientField("B2", "pt_age").toString(), "12");
    QCOMPARE(patientField("B2", "pt_tel_h").toString(), "12");
}

// Fifteen emoji typed or pasted into a box of fifteen places: seven fit whole, no half is kept.
void PatientFileTest::lengthLimitsKeepWholeCharacters() {
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    QWidget* screen = openScreen("B2");
    QLineEdit* idCard = box(screen, "Text9");
    for (int i = 0; i < 15; ++i)
        idCard->insert(emoji);
    QCOMPARE(idCard->text(), emoji.repeated(7));

    QLineEdit* occupation = box(screen, "Text10");
    QGuiApplication::clipboard()->setText("a" + emoji.repeated(15));
    occupation->paste();
    QCOMPARE(occupation->text(), "a" + emoji.repeated(7));

    click(screen, "SSCommand1");
    QCOMPARE(patientField("B2", "pt_id_card").toString(), emoji.repeated(7));
    QCOMPARE(patientField("B2", "pt_occupation").toString(), "a" + emoji.repeated(7));
}

QTEST_MAIN(PatientFileTest)
#include "test_patientfile.moc"
