#include "support/clinicrows.h"
#include "support/reportpages.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "core/programdir.h"
#include "reportengine/reportpreview.h"
#include "reports/reportinstances.h"
#include "screens/screens.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QTableView>
#include <QTest>

// The receptionist's two days: two procedures go into the catalog, two patients are invoiced
// (the second through the "Save" menu), the first invoice is printed, paid in part by card, and
// the rest is paid in cash on the next day from the invoice list, where the second invoice is
// deleted. Each day's cash book shows that day's money by how it came in; the daily report keeps
// the invoice on its own day; the patient's statement ends at 0.
class ClinicDayTest : public QObject {
    Q_OBJECT
  private slots:
    void twoDaysAtTheReception();

  private:
    void enterProcedure(const QString& code, const QString& description, const QString& price);
    QWidget* startInvoice(const QString& fileNumber);
    void addLine(QWidget* invoice, const QString& code);

    TestEnv* env_ = nullptr;
    QWidget* main_ = nullptr;
};

void ClinicDayTest::enterProcedure(const QString& code, const QString& description,
                                   const QString& price) {
    QWidget* catalog = opened(Screen::Catalog);
    env_->dialogs.expectInput("Code Number :", "", code, QString());
    press(catalog, "SSCommand2");
    QTest::keyClicks(child(catalog, "Text2"), description);
    QTest::keyClicks(child(catalog, "Text4"), price);
    press(catalog, "SSCommand1");
}

QWidget* ClinicDayTest::startInvoice(const QString& fileNumber) {
    QWidget* openFile = opened(Screen::OpenFile);
    typeAndTab(openFile, "Text1", fileNumber);
    press(openFile, "SSCommand1");
    return opened(Screen::Invoice);
}

void ClinicDayTest::addLine(QWidget* invoice, const QString& code) {
    typeAndTab(invoice, "text4", code);
    press(invoice, "SSCommand1");
}

void ClinicDayTest::twoDaysAtTheReception() {
    QVERIFY2(!QPrinterInfo::defaultPrinter().isNull(),
             "the print tests need a default printer: run tools/start-printer");
    TestEnv env;
    env_ = &env;
    env.createDatabase();
    addPatient({{"file_num", "101"}, {"pt_name", "Huda Saleh"}, {"pt_address", "Riyadh"}});
    addPatient({{"file_num", "102"}, {"pt_name", "Omar Ali"}, {"pt_address", "Jeddah"}});
    registerScreens(AppSettings());
    main_ = Screens::get(Screen::Main);
    main_->show();
    QVERIFY(QTest::qWaitForWindowActive(main_));

    press(main_, "SSCommand4");
    enterProcedure("10", "Consultation", "150");
    enterProcedure("20", "X-ray", "80");
    press(opened(Screen::Catalog), "SSCommand6");
    discardClosed();
    QVERIFY(main_->isEnabled());

    // The first patient pays 100 now, by card, and is given the printed invoice.
    press(main_, "SSCommand5");
    QWidget* invoice = startInvoice("101");
    QCOMPARE(box(invoice, "Text2")->text(), "Huda Saleh");
    addLine(invoice, "10");
    addLine(invoice, "20");
    typeAndTab(invoice, "text9", "100");
    QCOMPARE(box(invoice, "Text10")->text(), "130");
    auto* paidIn = child<QComboBox>(invoice, "cboPaidIn");
    paidIn->setCurrentIndex(paidIn->findText("Card"));
    press(invoice, "SSCommand2_OK");
    press(invoice, "SSCommand4_Print");
    // The printed invoice marks the kind it was paid in: cash, the option the screen starts with.
    const Report& printed = reportByName("po_rep");
    QCOMPARE(QStringList({printed.control("cash")->caption, printed.control("credit1")->caption,
                          printed.control("parti1")->caption}),
             QStringList({"X", "", ""}));
    press(invoice, "SSCommand5_Quit");
    discardClosed();
    QVERIFY(main_->isEnabled());

    // The second patient's invoice, paid in cash, is saved from the menu, which offers the next
    // invoice.
    press(main_, "SSCommand5");
    invoice = startInvoice("102");
    addLine(invoice, "20");
    trigger(invoice, "mnuSave");
    discardClosed();
    QVERIFY(!main_->isEnabled());
    opened(Screen::OpenFile)->close();
    QVERIFY(main_->isEnabled());

    QCOMPARE(rowsOf("SELECT po_num, file_num, po_pri, po_netd, fmon FROM pt_sh ORDER BY po_num"),
             QStringList({"1|101|230|130|12/2026", "2|102|80|0|12/2026"}));
    QCOMPARE(rowsOf("SELECT po_num, code2, amount2 FROM po_descs ORDER BY id"),
             QStringList({"1|10|150", "1|20|80", "2|20|80"}));
    QCOMPARE(rowsOf("SELECT count(*) FROM po_desc"), QStringList{"0"});
    QCOMPARE(rowsOf("SELECT count(*) FROM inv_rep_data"), QStringList{"0"});

    // The next day the first patient pays the rest, in cash, and the second patient's invoice,
    // filed by mistake, is deleted: its money goes back that day.
    setToday(QDate(2026, 12, 7));
    press(main_, "SSCommand6");
    QWidget* list = opened(Screen::InvoiceList);
    QTableView* invoices = grid(list, "DBGrid1");
    QCOMPARE(invoices->model()->rowCount(), 1);
    clickRow(invoices, 0);
    QCOMPARE(box(list, "Text1")->text(), "1");
    typeAndTab(list, "Text6", "0");
    env.dialogs.expectChoice("Payment received today: 130\nPaid in :", "Payment",
                             {"Cash", "Card", "Bank transfer", "Cheque"}, "Cash", "Cash");
    press(list, "SSCommand1");
    trigger(list, "mnuOutstanding");
    QCOMPARE(invoices->model()->rowCount(), 0);
    trigger(list, "mnuAll");
    clickRow(invoices, 1);
    env.dialogs.expectQuestion("Delete invoice 2 of Omar Ali (patient 102), amount 80?\nThe 80 "
                               "it took is booked as paid back today.",
                               Dialogs::Answer::Yes, Dialogs::Icon::Question);
    press(list, "SSCommand5");
    QCOMPARE(columnOf(invoices, 2), QStringList{"1"});
    press(list, "SSCommand6");
    discardClosed();
    QVERIFY(main_->isEnabled());
    QCOMPARE(rowsOf("SELECT sum(po_netd) FROM pt_sh"), QStringList{"0"});
    QCOMPARE(rowsOf("SELECT po_num, pay_date, amount, kind FROM payments ORDER BY id"),
             QStringList({"1|06/12/2026|100|Card", "2|06/12/2026|80|Cash", "1|07/12/2026|130|Cash",
                          "2|07/12/2026|-80|Cash"}));

    // Each day's cash book shows the money of that day by how it came in, the first day's as it
    // was before the deletion; the daily report keeps the invoice left on the day it was written.
    press(main_, "SSCommand3");
    QWidget* reports = opened(Screen::PeriodicReports);
    auto* day = box(reports, "text1");
    day->setFocus();
    day->home(false);
    QTest::keyClicks(day, "06122026");
    LaidOutReport shown = previewOf(reports, "cmdCashBook");
    QCOMPARE(reportRows(shown, {"Text2", "Text4", "Text6"}),
             QList<QStringList>({{"1", "Huda Saleh", "100.00"}, {"2", "Omar Ali", "80.00"}}));
    QCOMPARE(reportRows(shown, {"Function1"}), QList<QStringList>({{"80.00"}}));
    QCOMPARE(reportRows(shown, {"Function2"}), QList<QStringList>({{"100.00"}}));
    QCOMPARE(reportRows(shown, {"Function7"}), QList<QStringList>({{"180.00"}}));
    shown = previewOf(reports, "SSCommand1");
    QCOMPARE(reportRows(shown, {"Text2", "Text4"}), QList<QStringList>({{"1", "230"}}));
    day->setFocus();
    day->home(false);
    QTest::keyClicks(day, "07122026");
    shown = previewOf(reports, "cmdCashBook");
    QCOMPARE(reportRows(shown, {"Text1", "Text2", "Text5", "Text6"}),
             QList<QStringList>(
                 {{"07/12/2026", "1", "Cash", "130.00"}, {"07/12/2026", "2", "Cash", "-80.00"}}));
    QCOMPARE(reportRows(shown, {"Function1"}), QList<QStringList>({{"50.00"}}));
    QCOMPARE(reportRows(shown, {"Function7"}), QList<QStringList>({{"50.00"}}));
    shown = previewOf(reports, "SSCommand1");
    QCOMPARE(reportRows(shown, {"Text2"}), QList<QStringList>());
    press(reports, "SSCommand3");
    discardClosed();
    QVERIFY(main_->isEnabled());

    // The first patient's statement shows the invoice and both payments, and nothing due.
    env.dialogs.expectInput("File Number :", "Open File", "101", QString());
    press(main_, "SSCommand1");
    QWidget* file = opened(Screen::PatientFile);
    shown = previewOf(file, "mnStatement");
    QCOMPARE(reportRows(shown, {"Text1", "Text3", "Text5", "Text6", "Text7"}),
             QList<QStringList>({{"06/12/2026", "Invoice", "230.00", "", "230.00"},
                                 {"06/12/2026", "Payment, Card", "", "100.00", "130.00"},
                                 {"07/12/2026", "Payment, Cash", "", "130.00", "0.00"}}));
    QCOMPARE(reportRows(shown, {"Function3"}), QList<QStringList>({{"0.00"}}));
    press(file, "SSCommand4");
    discardClosed();
    QVERIFY(main_->isEnabled());
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
}

QTEST_MAIN(ClinicDayTest)
#include "test_clinicday.moc"
