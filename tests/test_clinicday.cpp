#include "support/testenv.h"

#include "app/screenfactories.h"
#include "binding/screens.h"
#include "db/connection.h"
#include "settings/appsettings.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSqlRecord>
#include <QTableView>
#include <QTest>

namespace {

QSqlDatabase database() {
    return openDatabase(AppSettings().databaseFilePath);
}

QStringList rowsOf(const QString& sql) {
    QStringList rows;
    QSqlQuery query = runQuery(database(), sql);
    while (query.next()) {
        QStringList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << query.value(i).toString();
        rows << values.join("|");
    }
    return rows;
}

template <typename T = QWidget> T* child(QWidget* screen, const QString& name) {
    T* found = screen->findChild<T*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

void click(QWidget* screen, const QString& button) {
    QTest::mouseClick(child<QPushButton>(screen, button), Qt::LeftButton);
    QCoreApplication::processEvents();
}

// The screen that a button of the main window opened, once it is up and running.
QWidget* opened(const QString& name) {
    QWidget* screen = Screens::existing(name);
    if (!screen || !screen->isVisible())
        qFatal("%s is not open", qPrintable(name));
    screen->activateWindow();
    if (!QTest::qWaitForWindowActive(screen))
        qFatal("%s did not become active", qPrintable(name));
    QCoreApplication::processEvents();
    return screen;
}

void typeAndTab(QWidget* screen, const QString& name, const QString& text) {
    auto* box = child<QLineEdit>(screen, name);
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    QTest::keyClick(box, Qt::Key_Tab);
    QCoreApplication::processEvents();
}

void closeUnloaded() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

// The receptionist's day: two procedures go into the catalog, two patients are invoiced (the
// second through the "Save" menu), the first invoice is printed and later paid in full.
class ClinicDayTest : public QObject {
    Q_OBJECT
  private slots:
    void oneDayAtTheReception();

  private:
    void enterProcedure(const QString& code, const QString& description, const QString& price);
    QWidget* startInvoice(const QString& fileNumber);
    void addLine(QWidget* invoice, const QString& code);

    TestEnv* env_ = nullptr;
    QWidget* main_ = nullptr;
};

void ClinicDayTest::enterProcedure(const QString& code, const QString& description,
                                   const QString& price) {
    QWidget* catalog = opened("Form4");
    env_->dialogs.expectInput("Code Number :", "", code, QString());
    click(catalog, "SSCommand2");
    QTest::keyClicks(child(catalog, "Text2"), description);
    QTest::keyClicks(child(catalog, "Text4"), price);
    click(catalog, "SSCommand1");
}

QWidget* ClinicDayTest::startInvoice(const QString& fileNumber) {
    QWidget* openFile = opened("Form8");
    typeAndTab(openFile, "Text1", fileNumber);
    click(openFile, "SSCommand1");
    return opened("Form7");
}

void ClinicDayTest::addLine(QWidget* invoice, const QString& code) {
    typeAndTab(invoice, "text4", code);
    click(invoice, "SSCommand1");
}

void ClinicDayTest::oneDayAtTheReception() {
    QVERIFY2(!QPrinterInfo::defaultPrinter().isNull(),
             "the print tests need a default printer: run tools/start-printer");
    TestEnv env;
    env_ = &env;
    env.createDatabase();
    runQuery(database(), "INSERT INTO per_inf_data (file_num, pt_name, pt_address) VALUES "
                         "('101', 'Huda Saleh', 'Riyadh'), ('102', 'Omar Ali', 'Jeddah')");
    registerScreens();
    main_ = Screens::get("Form2");
    main_->show();
    QVERIFY(QTest::qWaitForWindowActive(main_));

    click(main_, "SSCommand4");
    enterProcedure("10", "Consultation", "150");
    enterProcedure("20", "X-ray", "80");
    click(opened("Form4"), "SSCommand6");
    closeUnloaded();
    QVERIFY(main_->isEnabled());

    // The first patient pays 100 now and is given the printed invoice.
    click(main_, "SSCommand5");
    QWidget* invoice = startInvoice("101");
    QCOMPARE(child<QLineEdit>(invoice, "Text2")->text(), "Huda Saleh");
    addLine(invoice, "10");
    addLine(invoice, "20");
    typeAndTab(invoice, "text9", "100");
    QCOMPARE(child<QLineEdit>(invoice, "Text10")->text(), "130");
    click(invoice, "SSCommand2_OK");
    click(invoice, "SSCommand4_Print");
    click(invoice, "SSCommand5_Quit");
    closeUnloaded();
    QVERIFY(main_->isEnabled());

    // The second patient's invoice is saved from the menu, which offers the next invoice.
    click(main_, "SSCommand5");
    invoice = startInvoice("102");
    addLine(invoice, "20");
    child<QAction>(invoice, "mnuSave")->trigger();
    closeUnloaded();
    QVERIFY(!main_->isEnabled());
    opened("Form8")->close();
    QVERIFY(main_->isEnabled());

    QCOMPARE(rowsOf("SELECT po_num, file_num, po_pri, po_netd, fmon FROM pt_sh ORDER BY po_num"),
             QStringList({"1|101|230|130|12/2026", "2|102|80|0|12/2026"}));
    QCOMPARE(rowsOf("SELECT po_num, code2, amount2 FROM po_descs ORDER BY id"),
             QStringList({"1|10|150", "1|20|80", "2|20|80"}));
    QCOMPARE(rowsOf("SELECT count(*) FROM po_desc"), QStringList{"0"});
    QCOMPARE(rowsOf("SELECT count(*) FROM inv_rep_data"), QStringList{"0"});

    // Later the first patient pays the rest.
    click(main_, "SSCommand6");
    QWidget* list = opened("Form5");
    auto* grid = child<QTableView>(list, "DBGrid1");
    QCOMPARE(grid->model()->rowCount(), 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(0, 0)).center());
    QCOMPARE(child<QLineEdit>(list, "Text1")->text(), "1");
    typeAndTab(list, "Text6", "0");
    click(list, "SSCommand1");
    child<QAction>(list, "mnuOutstanding")->trigger();
    QCOMPARE(grid->model()->rowCount(), 0);
    click(list, "SSCommand6");
    closeUnloaded();
    QVERIFY(main_->isEnabled());
    QCOMPARE(rowsOf("SELECT sum(po_netd) FROM pt_sh"), QStringList{"0"});
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
}

QTEST_MAIN(ClinicDayTest)
#include "test_clinicday.moc"
