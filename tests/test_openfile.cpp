#include "support/testenv.h"

#include "binding/screens.h"
#include "db/connection.h"
#include "patients/openfiledialog.h"
#include "settings/appsettings.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QSqlDatabase database() {
    return openDatabase(AppSettings().databaseFilePath);
}

void addPatient(const QString& fileNumber, const QString& name, const QString& address) {
    runQuery(database(),
             "INSERT INTO per_inf_data (file_num, pt_name, pt_address) VALUES (?, ?, ?)",
             {fileNumber, name, address});
}

int headerCount() {
    QSqlQuery query = runQuery(database(), "SELECT count(*) FROM inv_rep_data");
    query.next();
    return query.value(0).toInt();
}

template <typename T = QWidget> T* child(QWidget* screen, const QString& name) {
    T* found = screen->findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

QLineEdit* box(QWidget* dialog, const QString& name) {
    return child<QLineEdit>(dialog, name);
}

QPushButton* button(QWidget* dialog, const QString& name) {
    return child<QPushButton>(dialog, name);
}

// Types the number into the file number box and leaves it with the Tab key.
void typeAndLeave(QWidget* dialog, const QString& number) {
    QLineEdit* fileNumber = box(dialog, "Text1");
    fileNumber->setFocus();
    fileNumber->selectAll();
    QTest::keyClick(fileNumber, Qt::Key_Backspace);
    for (const QChar c : number)
        QTest::sendKeyEvent(QTest::Click, fileNumber, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(fileNumber, Qt::Key_Tab);
    QCoreApplication::processEvents();
}

} // namespace

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
    QWidget* mainWindow() const { return Screens::get("Form2"); }

    std::unique_ptr<TestEnv> env_;
};

void OpenFileTest::init() {
    env_ = std::make_unique<TestEnv>();
    env_->createDatabase();
    Screens::registerFactory("Form2", [] { return new QWidget; });
    Screens::registerFactory("Form7", [] { return new QWidget; });
    Screens::registerFactory("Form8", [] { return new OpenFileDialog; });
    addPatient("A1", "Ali Hasan Omar", "Riyadh, Olaya St.");
    addPatient("B2", "Sara Nasser", "Jeddah");
}

void OpenFileTest::cleanup() {
    env_.reset();
}

QWidget* OpenFileTest::showDialog() {
    mainWindow()->setEnabled(false);
    QWidget* dialog = Screens::get("Form8");
    dialog->show();
    dialog->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog))
        qWarning("the dialog did not become active");
    QCoreApplication::processEvents();
    return dialog;
}

void OpenFileTest::knownNumberFillsNameAndAddressAndEnablesOk() {
    QWidget* dialog = showDialog();
    typeAndLeave(dialog, "A1");
    QCOMPARE(box(dialog, "Text2")->text(), "Ali Hasan Omar");
    QCOMPARE(box(dialog, "Text3")->text(), "Riyadh, Olaya St.");
    QVERIFY(button(dialog, "SSCommand1")->isEnabled());
    // The Tab that left the box lands on "OK", next in the Tab order.
    QCOMPARE(QApplication::focusWidget(), button(dialog, "SSCommand1"));
}

void OpenFileTest::unknownNumberEmptiesTheBoxesAndDisablesOkUntilCorrected() {
    QWidget* dialog = showDialog();
    typeAndLeave(dialog, "A1");
    env_->dialogs.expectNotice("not found");
    typeAndLeave(dialog, "Z9");
    QCOMPARE(box(dialog, "Text2")->text(), "");
    QCOMPARE(box(dialog, "Text3")->text(), "");
    QVERIFY(!button(dialog, "SSCommand1")->isEnabled());

    // Numbers are compared as typed: a blank makes another number.
    env_->dialogs.expectNotice("not found");
    typeAndLeave(dialog, "B2 ");
    QVERIFY(!button(dialog, "SSCommand1")->isEnabled());

    typeAndLeave(dialog, "B2");
    QCOMPARE(box(dialog, "Text2")->text(), "Sara Nasser");
    QVERIFY(button(dialog, "SSCommand1")->isEnabled());
}

void OpenFileTest::okIsDisabledUntilALookUpSucceeds() {
    QWidget* dialog = showDialog();
    QVERIFY(!button(dialog, "SSCommand1")->isEnabled());
    QTest::keyClicks(box(dialog, "Text1"), "A1");
    QVERIFY(!button(dialog, "SSCommand1")->isEnabled());
    QTest::mouseClick(button(dialog, "SSCommand1"), Qt::LeftButton);
    QCOMPARE(headerCount(), 0);
    QVERIFY(dialog->isVisible());

    // A number changed after a look-up is not the one looked up.
    typeAndLeave(dialog, "A1");
    QVERIFY(button(dialog, "SSCommand1")->isEnabled());
    box(dialog, "Text1")->setFocus();
    QTest::keyClick(box(dialog, "Text1"), Qt::Key_Backspace);
    QVERIFY(!button(dialog, "SSCommand1")->isEnabled());
}

void OpenFileTest::okKeepsTheHeaderAndOpensTheInvoiceScreen() {
    QWidget* dialog = showDialog();
    typeAndLeave(dialog, "A1");
    QTest::mouseClick(button(dialog, "SSCommand1"), Qt::LeftButton);

    QCOMPARE(headerCount(), 1);
    QSqlQuery header =
        runQuery(database(), "SELECT file_p, name, adrr, invo, dater FROM inv_rep_data");
    QVERIFY(header.next());
    QCOMPARE(header.value(0).toString(), "A1");
    QCOMPARE(header.value(1).toString(), "Ali Hasan Omar");
    QCOMPARE(header.value(2).toString(), "Riyadh, Olaya St.");
    QVERIFY(header.value(3).isNull());
    QVERIFY(header.value(4).isNull());
    QVERIFY(!dialog->isVisible());
    QVERIFY(Screens::existing("Form7")->isVisible());
    QVERIFY(!mainWindow()->isEnabled());
}

void OpenFileTest::cancelAfterALookUpWritesNothing() {
    QWidget* dialog = showDialog();
    typeAndLeave(dialog, "B2");
    QTest::mouseClick(button(dialog, "SSCommand2"), Qt::LeftButton);
    QCOMPARE(headerCount(), 0);
    QVERIFY(!dialog->isVisible());
    QVERIFY(mainWindow()->isEnabled());
    QVERIFY(!Screens::existing("Form7"));

    // The window frame and Escape cancel the same way.
    dialog = showDialog();
    typeAndLeave(dialog, "B2");
    dialog->close();
    QVERIFY(mainWindow()->isEnabled());
    dialog = showDialog();
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QVERIFY(mainWindow()->isEnabled());
    QCOMPARE(headerCount(), 0);
}

void OpenFileTest::everyShowingStartsAFreshHeader() {
    QWidget* dialog = showDialog();
    typeAndLeave(dialog, "A1");
    QTest::mouseClick(button(dialog, "SSCommand1"), Qt::LeftButton);
    Screens::existing("Form7")->close();

    QCOMPARE(showDialog(), dialog);
    QCOMPARE(box(dialog, "Text1")->text(), "");
    QCOMPARE(box(dialog, "Text2")->text(), "");
    QCOMPARE(box(dialog, "Text3")->text(), "");
    QVERIFY(!button(dialog, "SSCommand1")->isEnabled());
    typeAndLeave(dialog, "B2");
    QTest::mouseClick(button(dialog, "SSCommand1"), Qt::LeftButton);

    QCOMPARE(headerCount(), 2);
    QSqlQuery numbers = runQuery(database(), "SELECT file_p FROM inv_rep_data ORDER BY id");
    QStringList kept;
    while (numbers.next())
        kept << numbers.value(0).toString();
    QCOMPARE(kept, QStringList({"A1", "B2"}));
}

void OpenFileTest::arabicPatientIsCarriedIntoTheHeader() {
    const QString name = QString::fromUtf8("محمد عبدالله العتيبي");
    const QString address = QString::fromUtf8("جدة، حي الروضة");
    addPatient(QString::fromUtf8("ع١٢"), name, address);
    QWidget* dialog = showDialog();
    typeAndLeave(dialog, QString::fromUtf8("ع١٢"));
    QCOMPARE(box(dialog, "Text2")->text(), name);
    QTest::mouseClick(button(dialog, "SSCommand1"), Qt::LeftButton);
    QSqlQuery header = runQuery(database(), "SELECT file_p, name, adrr FROM inv_rep_data");
    QVERIFY(header.next());
    QCOMPARE(header.value(0).toString(), QString::fromUtf8("ع١٢"));
    QCOMPARE(header.value(1).toString(), name);
    QCOMPARE(header.value(2).toString(), address);
}

void OpenFileTest::refusedHeaderShowsTheEngineTextAndStays() {
    runQuery(database(), "CREATE TRIGGER refuse_headers BEFORE INSERT ON inv_rep_data BEGIN "
                         "SELECT RAISE(ABORT, 'Could not update; currently locked.'); END");
    QWidget* dialog = showDialog();
    typeAndLeave(dialog, "A1");
    env_->dialogs.expectMessage("1811 -> Could not update; currently locked.");
    QTest::mouseClick(button(dialog, "SSCommand1"), Qt::LeftButton);
    QCOMPARE(headerCount(), 0);
    QVERIFY(dialog->isVisible());
    QVERIFY(!Screens::existing("Form7"));
    QCOMPARE(box(dialog, "Text1")->text(), "A1");
    QCOMPARE(box(dialog, "Text2")->text(), "Ali Hasan Omar");
}

void OpenFileTest::onlyTheFileNumberCanBeTyped() {
    QWidget* dialog = showDialog();
    QTest::keyClicks(box(dialog, "Text1"), "A1234567");
    QCOMPARE(box(dialog, "Text1")->text(), "A12345");
    QVERIFY(!box(dialog, "Text2")->isEnabled());
    QVERIFY(!box(dialog, "Text3")->isEnabled());
    QCOMPARE(box(dialog, "Text1")->nextInFocusChain(), button(dialog, "SSCommand1"));
}

QTEST_MAIN(OpenFileTest)
#include "test_openfile.moc"
