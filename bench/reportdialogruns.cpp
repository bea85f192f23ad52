#include "reportdialogruns.h"

#include "printqueue.h"
#include "programsession.h"

#include "reportengine/lazyreport.h"
#include "reportengine/pageview.h"
#include "reportengine/reportpreview.h"
#include "reports/reportinstances.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <ctime>

namespace {

QWidget* chooseAnnualReport(ProgramSession& session, const QString& year, const char* destination) {
    QWidget* dialog = session.open(Screen::PeriodicReports);
    control<QRadioButton>(dialog, "RepType_3")->click();
    auto* box = control<QLineEdit>(dialog, "text3");
    box->setFocus(Qt::TabFocusReason);
    box->home(false);
    QTest::keyClicks(box, year);
    control<QRadioButton>(dialog, destination)->click();
    settle();
    return dialog;
}

// Notes the time when a painting of the preview's pages has reached the screen: the paint
// event is handled at once, the note taken on the next turn of the event loop.
class PaintWatch : public QObject {
  public:
    PaintWatch(const QElapsedTimer& clock) : clock_(clock) { qApp->installEventFilter(this); }
    ~PaintWatch() override { qApp->removeEventFilter(this); }
    // Seconds since the clock started, at the first painting after the last reset; 0 before.
    double painted() const { return painted_; }
    void reset() { painted_ = 0; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && painted_ == 0 && watched->parent() &&
            watched->parent()->objectName() == "PreviewPages")
            QTimer::singleShot(0, this, [this] {
                if (painted_ == 0)
                    painted_ = clock_.nsecsElapsed() / 1e9;
            });
        return false;
    }

  private:
    const QElapsedTimer& clock_;
    double painted_ = 0;
};

double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

void waitFor(const std::function<bool()>& done) {
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

} // namespace

PreviewRun previewAnnualReport(ProgramSession& session, const QString& year) {
    QWidget* dialog = chooseAnnualReport(session, year, "Option5_0");
    PreviewRun run;
    QElapsedTimer clock;
    PaintWatch watch(clock);
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<ReportPreview*>(QApplication::activeModalWidget());
        if (!preview)
            return;
        waitFor([&] { return watch.painted() > 0; });
        run.firstPage = watch.painted();
        waitFor([&] { return preview->report().finished(); });
        run.whole = clock.nsecsElapsed() / 1e9;
        run.pages = preview->report().pageCount();
        watch.reset();
        preview->findChild<QAction*>("actLastPage")->trigger();
        waitFor([&] { return watch.painted() > 0; });
        run.ok = preview->view()->currentPage() == run.pages;
        preview->reject();
    });
    clock.start();
    control<QPushButton>(dialog, "SSCommand1")->click();
    session.close(Screen::PeriodicReports);
    run.ok = run.ok && session.dialogs.takeMessages().isEmpty();
    return run;
}

PrintRun printAnnualReport(ProgramSession& session, const QString& year) {
    QWidget* dialog = chooseAnnualReport(session, year, "Option5_1");
    const QString title = reportByName("rep_year").caption;
    const QSet<int> queuedBefore = queuedJobs(title);
    PrintRun run;
    QElapsedTimer clock;
    const double processorBefore = processorSeconds();
    clock.start();
    control<QPushButton>(dialog, "SSCommand1")->click();
    run.seconds = clock.nsecsElapsed() / 1e9;
    run.processor = processorSeconds() - processorBefore;
    cancelJobs(queuedJobs(title) - queuedBefore);
    session.close(Screen::PeriodicReports);
    run.ok = session.dialogs.takeMessages().isEmpty();
    return run;
}
