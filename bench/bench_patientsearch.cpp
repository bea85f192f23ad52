// Times the patient search on a large clinic: how long a search takes until its first rows are
// in the grid, and how long each further page takes as the grid scrolls down.
//   korvel-bench-patientsearch DIR   (DIR holds a database made by korvel-generate DIR 200000 0)

#include "binding/screens.h"
#include "core/programdir.h"
#include "patients/patientsearchscreen.h"
#include "settings/appsettings.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <cstdio>

namespace {

struct Search {
    int field;
    QString text;
};

QRadioButton* option(QWidget* screen, int index) {
    for (auto* button : screen->findChildren<QRadioButton*>("optSearch"))
        if (button->property("index").toInt() == index)
            return button;
    return nullptr;
}

double milliseconds(QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

void timeSearch(QWidget* screen, const Search& search) {
    auto* grid = screen->findChild<QTableView*>("DBGrid1");
    option(screen, search.field)->setChecked(true);
    screen->findChild<QLineEdit*>("txtSearch")->setText(search.text);
    QElapsedTimer timer;
    timer.start();
    screen->findChild<QPushButton*>("SSCommand1")->click();
    QCoreApplication::processEvents();
    const double first = milliseconds(timer);
    const int firstRows = grid->model()->rowCount();

    // Ten pages further down, as a user dragging the scroll bar to the bottom would ask for.
    timer.restart();
    int pages = 0;
    for (; pages < 10 && grid->model()->canFetchMore({}); ++pages) {
        grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
        QCoreApplication::processEvents();
    }
    const double perPage = pages ? milliseconds(timer) / pages : 0;
    std::printf("%-12s %-10s first %4d rows in %8.1f ms; %2d more pages, %7.1f ms each\n",
                qPrintable(option(screen, search.field)->text()), qPrintable(search.text),
                firstRows, first, pages, perPage);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: korvel-bench-patientsearch DIR\n");
        return 2;
    }
    AppSettings().setDbPath(QString::fromLocal8Bit(argv[1]));
    if (!fileExists(AppSettings().databaseFilePath)) {
        std::fprintf(stderr, "no database in %s: run korvel-generate first\n", argv[1]);
        return 1;
    }
    Screens::registerFactory("Form3", [] { return new PatientSearchScreen; });
    QWidget* screen = Screens::get("Form3");
    screen->resize(480, 520);
    QElapsedTimer timer;
    timer.start();
    screen->show();
    QCoreApplication::processEvents();
    std::printf("opening, every file listed: %.1f ms\n", milliseconds(timer));

    const Search searches[] = {
        {0, "Harbi"}, {0, "العتيبي"}, {1, "Ahmed"}, {2, "1234"},
        {3, "0555"},  {0, "zzz"},     {0, ""},      {1, "a_b%"},
    };
    for (const Search& search : searches)
        timeSearch(screen, search);
    Screens::reset();
    return 0;
}
