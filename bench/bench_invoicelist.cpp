// Times the invoice list on a large clinic: opening it on the pending invoices, the first pages
// as the grid scrolls down, the switch to all invoices, and opening one invoice and its lines.
//   korvel-bench-invoicelist DIR   (DIR holds a database made by
//                                   korvel-generate DIR 20000 1000000)

#include "binding/screens.h"
#include "core/programdir.h"
#include "invoices/invoicelistscreen.h"
#include "settings/appsettings.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <cstdio>

namespace {

double milliseconds(QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

QTableView* list(QWidget* screen) {
    return screen->findChild<QTableView*>("DBGrid1");
}

// Ten pages further down, as a user dragging the scroll bar to the bottom would ask for.
void timeScrolling(QWidget* screen) {
    QTableView* grid = list(screen);
    QElapsedTimer timer;
    timer.start();
    int pages = 0;
    for (; pages < 10 && grid->model()->canFetchMore({}); ++pages) {
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        QCoreApplication::processEvents();
    }
    std::printf("  %2d more pages, %7.1f ms each; %d rows in the grid\n", pages,
                pages ? milliseconds(timer) / pages : 0, grid->model()->rowCount());
}

void timeRowChoice(QWidget* screen, int row) {
    QTableView* grid = list(screen);
    const QPoint centre = grid->visualRect(grid->model()->index(row, 0)).center();
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
    const double chosen = milliseconds(timer);
    timer.restart();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
    std::printf("choosing row %d (invoice %s): %.1f ms; its lines: %.1f ms\n", row,
                qPrintable(screen->findChild<QLineEdit*>("Text1")->text()), chosen,
                milliseconds(timer));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: korvel-bench-invoicelist DIR\n");
        return 2;
    }
    AppSettings().setDbPath(QString::fromLocal8Bit(argv[1]));
    if (!fileExists(AppSettings().databaseFilePath)) {
        std::fprintf(stderr, "no database in %s: run korvel-generate first\n", argv[1]);
        return 1;
    }
    Screens::registerFactory("Form5", [] { return new InvoiceListScreen; });
    QWidget* screen = Screens::get("Form5");
    QElapsedTimer timer;
    timer.start();
    screen->show();
    QCoreApplication::processEvents();
    std::printf("opening on the pending invoices: %.1f ms\n", milliseconds(timer));
    timeScrolling(screen);
    timeRowChoice(screen, 3);

    timer.restart();
    screen->findChild<QAction*>("mnuAll")->trigger();
    QCoreApplication::processEvents();
    std::printf("all invoices: %.1f ms\n", milliseconds(timer));
    timeScrolling(screen);
    timeRowChoice(screen, 2000);
    Screens::reset();
    return 0;
}
