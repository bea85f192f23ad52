#include "support/clinicrows.h"
#include "support/reportpages.h"
#include "support/testenv.h"
#include "support/ui.h"

#include "app/runsettings.h"
#include "app/screenfactories.h"
#include "db/engine/connection.h"
#include "reportengine/reportpreview.h"
#include "reports/periodicreportsdialog.h"
#include "reports/preparereport.h"
#include "reports/reportinstances.h"
#include "screens/screens.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString kNoPrinter = "482 -> No printer is set up. Install a printer and make it the "
                           "default printer, then print again.";

// Invoices 1 to 6 over two days, two months and two years.
void addInvoices() {
    addInvoice("F1", "06/12/2026", 1500, 500);
    addInvoice("F1", "06/12/2026", 200, 0);
    addInvoice("F1", "07/12/2026", 300, 100);
    addInvoice("F1", "15/11/2026", 4000, 1000);
    addInvoice("F1", "06/12/2025", 50, 50);
    addInvoice("F1", "01/01/2026", 10, 0);
}

// What a preview showed: the invoice numbers listed and the two totals.
struct Shown {
    QString title;
    QStringList invoices;
    QString amount;
    QString due;
    bool shown = false;
};

Shown pressOkAndReadPreview(QWidget* dialog) {
    Shown shown;
    const ModalWatch watch([&shown](QWidget* window) {
        auto* preview = qobject_cast<ReportPreview*>(window);
        QVERIFY(preview);
        shown.title = preview->windowTitle();
        for (const Page& page : shownReport(preview).pages) {
            for (const PlacedText& text : textsOf(page, "Text2"))
                shown.invoices << text.text;
            if (!textsOf(page, "Function1").empty()) {
                shown.amount = textOf(page, "Function1");
                shown.due = textOf(page, "Function2");
            }
        }
    });
    click(dialog, "SSCommand1");
    shown.shown = watch.seen();
    return shown;
}

// A dialog opened over a database with the sample invoices and the letterhead prepared.
struct Fixture {
    TestEnv env;
    PeriodicReportsDialog dialog{AppSettings()};

    Fixture() {
        env.createDatabase();
        addInvoices();
        for (const char* name : {"rep_day", "rep_mon", "rep_year"})
            PrepareReport(reportByName(name), AppSettings());
        dialog.setAttribute(Qt::WA_DeleteOnClose, false);
        dialog.show();
    }
    QLineEdit* box(const QString& name) { return child<QLineEdit>(&dialog, name); }
    void type(const QString& name, const QString& keys) {
        box(name)->setFocus();
        box(name)->home(false);
        QTest::keyClicks(box(name), keys);
    }
    void choose(const QString& name) { chooseOption(&dialog, name); }
};

} // namespace

class PeriodicReportsTest : public QObject {
    Q_OBJECT
  private slots:
    void opensAsDailyToScreenWithEveryBoxEditable();
    void choosingAKindEnablesItsBoxAndShowsTheOthersEmpty();
    void choosingAKindKeepsThePeriodTypedInItsOwnBox();
    void clickAtTheRightOfAnEmptyPeriodBoxTypesIntoIt();
    void okWithoutChoosingAKindShowsTheDailyReportAndCancelGivesWayToQuit();
    void partlyTypedDayMatchesNothingAndTotalsAreZero();
    void monthlyAndAnnualReportsSumTheirPeriod();
    void printerFailureShowsTheErrorAndKeepsTheDialogOpen();
    void databaseFailureShowsTheErrorAndKeepsTheDialogOpen();
    void everyWayOfClosingGivesTheMainWindowBack();
};

void PeriodicReportsTest::opensAsDailyToScreenWithEveryBoxEditable() {
    Fixture f;
    QCOMPARE(f.dialog.objectName(), QString("Form6"));
    QCOMPARE(f.dialog.windowTitle(), QString("Reports"));
    const QStringList order = {"RepType_1", "RepType_2", "RepType_3", "text1",      "text2",
                               "text3",     "Option5_0", "Option5_1", "SSCommand1", "SSCommand2"};
    const QStringList captions = {"DAY", "MONTH",     "YEAR",       "",   "",
                                  "",    "TO SCREEN", "TO PRINTER", "OK", "CANCEL"};
    for (int i = 0; i < order.size(); ++i) {
        QWidget* control = child<QWidget>(&f.dialog, order[i]);
        QVERIFY(!control->accessibleName().isEmpty());
        if (!captions[i].isEmpty())
            QCOMPARE(control->accessibleName(), captions[i]);
        if (i + 1 < order.size())
            QCOMPARE(control->nextInFocusChain()->objectName(), order[i + 1]);
    }
    for (const QString name : {"RepType_1", "RepType_2", "RepType_3", "Option5_1"})
        QVERIFY(!child<QRadioButton>(&f.dialog, name)->isChecked());
    QVERIFY(child<QRadioButton>(&f.dialog, "Option5_0")->isChecked());
    QCOMPARE(f.box("text1")->inputMask(), QString("00/00/0000;_"));
    // A space is the mask's default prompt, which Qt leaves out of the mask's text.
    QCOMPARE(f.box("text2")->inputMask(), QString("00/0000"));
    QCOMPARE(f.box("text3")->inputMask(), QString("0000"));
    for (const QString name : {"text1", "text2", "text3"})
        QVERIFY(f.box(name)->isEnabled());
    QVERIFY(child<QPushButton>(&f.dialog, "SSCommand2")->isVisible());
    QVERIFY(!child<QPushButton>(&f.dialog, "SSCommand3")->isVisible());
    QCOMPARE(child<QPushButton>(&f.dialog, "SSCommand3")->text(), QString("QUIT"));
    f.dialog.grab().save(f.env.root() + "/form6.png");
}

void PeriodicReportsTest::choosingAKindEnablesItsBoxAndShowsTheOthersEmpty() {
    Fixture f;
    f.type("text1", "06122026");
    f.choose("RepType_2");
    QVERIFY(f.box("text2")->isEnabled());
    QCOMPARE(f.box("text2")->inputMask(), QString("00/0000"));
    QVERIFY(!f.box("text1")->isEnabled());
    QCOMPARE(f.box("text1")->inputMask(), QString());
    QCOMPARE(f.box("text1")->text(), QString("  /  /    "));
    QVERIFY(!f.box("text3")->isEnabled());
    QCOMPARE(f.box("text3")->text(), QString("    "));
    f.type("text2", "122026");
    QCOMPARE(f.box("text2")->displayText(), QString("12/2026"));

    f.choose("RepType_1");
    QVERIFY(f.box("text1")->isEnabled());
    QCOMPARE(f.box("text1")->displayText(), QString("__/__/____"));
    QCOMPARE(f.box("text2")->text(), QString("  /    "));
    // The mask takes digits only.
    f.type("text1", "ab06x1");
    QCOMPARE(f.box("text1")->displayText(), QString("06/1_/____"));
}

void PeriodicReportsTest::choosingAKindKeepsThePeriodTypedInItsOwnBox() {
    Fixture f;
    f.type("text2", "122026");
    f.choose("RepType_2");
    QCOMPARE(f.box("text2")->displayText(), QString("12/2026"));
    f.choose("RepType_2");
    QCOMPARE(f.box("text2")->displayText(), QString("12/2026"));
    QCOMPARE(pressOkAndReadPreview(&f.dialog).invoices, QStringList({"1", "2", "3"}));
}

void PeriodicReportsTest::clickAtTheRightOfAnEmptyPeriodBoxTypesIntoIt() {
    Fixture f;
    f.choose("RepType_3");
    QLineEdit* year = f.box("text3");
    QTest::mouseClick(year, Qt::LeftButton, {}, QPoint(year->width() - 4, year->height() / 2));
    QTest::keyClicks(year, "2026");
    QCOMPARE(year->displayText(), QString("2026"));
}

void PeriodicReportsTest::okWithoutChoosingAKindShowsTheDailyReportAndCancelGivesWayToQuit() {
    Fixture f;
    f.type("text1", "06122026");
    f.type("text2", "112026");
    const Shown shown = pressOkAndReadPreview(&f.dialog);
    QVERIFY(shown.shown);
    QCOMPARE(shown.title, QString("Daily Report"));
    QCOMPARE(shown.invoices, QStringList({"1", "2"}));
    QCOMPARE(shown.amount, QString("1700"));
    QCOMPARE(shown.due, QString("500"));
    QVERIFY(!child<QPushButton>(&f.dialog, "SSCommand2")->isVisible());
    QVERIFY(child<QPushButton>(&f.dialog, "SSCommand3")->isVisible());
    QVERIFY(f.dialog.isVisible());
    QCOMPARE(reportByName("rep_day").margins.left, 300);
    QCOMPARE(reportByName("rep_year").margins.right, 300);
}

void PeriodicReportsTest::partlyTypedDayMatchesNothingAndTotalsAreZero() {
    Fixture f;
    f.type("text1", "0612");
    const Shown shown = pressOkAndReadPreview(&f.dialog);
    QVERIFY(shown.shown);
    QVERIFY(shown.invoices.isEmpty());
    QCOMPARE(shown.amount, QString("0"));
    QCOMPARE(shown.due, QString("0"));
}

void PeriodicReportsTest::monthlyAndAnnualReportsSumTheirPeriod() {
    Fixture f;
    f.choose("RepType_2");
    f.type("text2", "122026");
    Shown shown = pressOkAndReadPreview(&f.dialog);
    QCOMPARE(shown.title, QString("Monthly Report"));
    QCOMPARE(shown.invoices, QStringList({"1", "2", "3"}));
    QSqlQuery sums = runQuery(clinicDatabase(),
                              "select sum(po_pri), sum(po_netd) from pt_sh where fmon = '12/2026'");
    QVERIFY(sums.next());
    QCOMPARE(shown.amount, sums.value(0).toString());
    QCOMPARE(shown.due, sums.value(1).toString());

    // The kind and the destination stay for the next report.
    f.choose("RepType_3");
    f.type("text3", "2026");
    shown = pressOkAndReadPreview(&f.dialog);
    QCOMPARE(shown.title, QString("Annual Report"));
    QCOMPARE(shown.invoices, QStringList({"1", "2", "3", "4", "6"}));
    QCOMPARE(shown.amount, QString("6010"));
    QCOMPARE(shown.due, QString("1600"));
}

void PeriodicReportsTest::printerFailureShowsTheErrorAndKeepsTheDialogOpen() {
    Fixture f;
    f.type("text1", "06122026");
    f.choose("Option5_1");
    f.env.dialogs.expectMessage(kNoPrinter);
    const Shown shown = pressOkAndReadPreview(&f.dialog);
    QVERIFY(!shown.shown);
    QVERIFY2(f.env.dialogs.allAnswered(), qPrintable(f.env.dialogs.report()));
    QVERIFY(f.dialog.isVisible());
    QVERIFY(child<QPushButton>(&f.dialog, "SSCommand2")->isVisible());
    QVERIFY(!child<QPushButton>(&f.dialog, "SSCommand3")->isVisible());

    // Back to the screen, the same dialog produces the report.
    f.choose("Option5_0");
    QVERIFY(pressOkAndReadPreview(&f.dialog).shown);
    QVERIFY(child<QPushButton>(&f.dialog, "SSCommand3")->isVisible());
}

void PeriodicReportsTest::databaseFailureShowsTheErrorAndKeepsTheDialogOpen() {
    Fixture f;
    closeAllDatabases();
    const auto [number, text] = f.env.loseTheDatabase();
    f.env.dialogs.expectMessage(QString::number(number) + " -> " + text);
    const Shown shown = pressOkAndReadPreview(&f.dialog);
    QVERIFY(!shown.shown);
    QVERIFY2(f.env.dialogs.allAnswered(), qPrintable(f.env.dialogs.report()));
    QVERIFY(f.dialog.isVisible());
    QVERIFY(child<QPushButton>(&f.dialog, "SSCommand2")->isVisible());
}

void PeriodicReportsTest::everyWayOfClosingGivesTheMainWindowBack() {
    TestEnv env;
    env.createDatabase();
    registerScreens(AppSettings());
    QWidget* main = Screens::get(Screen::Main);
    for (int way = 0; way < 3; ++way) {
        main->setEnabled(false);
        QPointer<QWidget> dialog = Screens::get(Screen::PeriodicReports);
        QVERIFY(qobject_cast<PeriodicReportsDialog*>(dialog));
        dialog->show();
        QSignalSpy closed(dialog.data(), SIGNAL(closed()));
        if (way == 0) {
            click(dialog, "SSCommand2");
        } else if (way == 1) {
            pressOkAndReadPreview(dialog);
            click(dialog, "SSCommand3");
        } else {
            dialog->close();
        }
        QCOMPARE(closed.count(), 1);
        QVERIFY(main->isEnabled());
        discardClosed();
        QVERIFY2(dialog.isNull(), "the dialog was not unloaded");
        QVERIFY(!Screens::existing(Screen::PeriodicReports));
    }
}

int main(int argc, char** argv) {
    // No print queue for these tests, wherever they run: printing must fail in words.
    qputenv("CUPS_SERVER", "/nonexistent/korvel-test/cups.sock");
    QApplication app(argc, argv);
    PeriodicReportsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_periodicreports.moc"
