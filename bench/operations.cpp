#include "operations.h"

#include "programsession.h"

#include "binding/recordsourcemodel.h"
#include "screens/screens.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <cstdio>
#include <cstdlib>

namespace {

// Setting up: the press and everything the program then shows.
void click(QWidget* screen, const QString& button) {
    control<QPushButton>(screen, button)->click();
    settle();
}

// Measured: the press and the program's handling of it, not the drawing that follows.
void press(QWidget* screen, const QString& button) {
    control<QPushButton>(screen, button)->click();
}

void makeActive(QWidget* screen) {
    screen->activateWindow();
    QApplication::setActiveWindow(screen);
    settle();
}

// Types into a box the user has moved to, then leaves it with the Tab key, which looks up what
// was typed. (Focus given to the next control would miss the open-file dialog's "OK", which
// stays disabled until the look-up.)
void typeAndTab(QWidget* screen, const QString& name, const QString& typed) {
    auto* box = control<QLineEdit>(screen, name);
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, typed);
    QTest::keyClick(box, Qt::Key_Tab);
    settle();
}

} // namespace

int screenful(QTableView* grid) {
    const int rowHeight = grid->verticalHeader()->defaultSectionSize();
    return (grid->viewport()->height() + rowHeight - 1) / rowHeight;
}

void openPatientFile(ProgramSession& session, QWidget* patientScreen, const QString& number) {
    session.dialogs.answerNextInputWith(number);
    press(patientScreen, "SSCommand3");
}

void searchFamilyNames(QWidget* searchScreen, const QString& fragment) {
    control<QLineEdit>(searchScreen, "txtSearch")->setText(fragment);
    press(searchScreen, "SSCommand1");
}

void showPendingInvoices(QWidget* listScreen) {
    control<QAction>(listScreen, "mnuOutstanding")->trigger();
}

void showAllInvoices(QWidget* listScreen) {
    control<QAction>(listScreen, "mnuAll")->trigger();
}

// One press; the grid shows the rows it moved to.
void scrollToEnd(QTableView* grid) {
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    grid->viewport()->repaint();
}

void scrollToStart(QTableView* grid) {
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    grid->viewport()->repaint();
}

void dragScrollBarTo(QTableView* grid, double fraction) {
    QScrollBar* bar = grid->verticalScrollBar();
    bar->setSliderDown(true);
    bar->setSliderPosition(bar->minimum() + int((bar->maximum() - bar->minimum()) * fraction));
    bar->setSliderDown(false);
    grid->viewport()->repaint();
}

void untilCounted(QTableView* grid) {
    auto* model = qobject_cast<RecordSourceModel*>(grid->model());
    while (!model->isCounted())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

void pressNavigation(QWidget* listScreen, const QString& spokenName) {
    for (auto* button : control(listScreen, "Data2Bar")->findChildren<QToolButton*>())
        if (button->accessibleName() == spokenName)
            button->click();
}

void findInvoice(QWidget* listScreen, qint64 number) {
    auto* box = control<QLineEdit>(listScreen, "Text1");
    box->setText(QString::number(number));
    QTest::keyClick(box, Qt::Key_Return);
}

QWidget* choosePatientForInvoice(ProgramSession& session, const QString& fileNumber) {
    QWidget* openFile = session.open(Screen::OpenFile);
    makeActive(openFile);
    typeAndTab(openFile, "Text1", fileNumber);
    return openFile;
}

QWidget* openInvoiceScreen(QWidget* openFile) {
    click(openFile, "SSCommand1");
    QWidget* invoice = Screens::existing(Screen::Invoice);
    if (!invoice || !invoice->isVisible()) {
        std::fprintf(stderr, "the invoice screen did not open\n");
        std::exit(1);
    }
    makeActive(invoice);
    return invoice;
}

void lookUpCode(QWidget* invoiceScreen, int line) {
    typeAndTab(invoiceScreen, "text4", QString("%1").arg(line, 2, 10, QChar('0')));
}

void addLine(QWidget* invoiceScreen) {
    click(invoiceScreen, "SSCommand1");
}

void cancelInvoice(QWidget* invoiceScreen) {
    click(invoiceScreen, "SSCommand3_Cancel");
}

QWidget* composeTenLineInvoice(ProgramSession& session, const QString& fileNumber) {
    QWidget* invoice = openInvoiceScreen(choosePatientForInvoice(session, fileNumber));
    for (int line = 1; line <= 10; ++line) {
        lookUpCode(invoice, line);
        addLine(invoice);
    }
    return invoice;
}

QString saveInvoice(QWidget* invoiceScreen) {
    press(invoiceScreen, "SSCommand2_OK");
    return control<QLineEdit>(invoiceScreen, "Text7")->text();
}

void leaveInvoice(QWidget* invoiceScreen) {
    click(invoiceScreen, "SSCommand5_Quit");
}
