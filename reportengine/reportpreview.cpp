#include "reportengine/reportpreview.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "core/errorlog.h"
#include "db/engine/rowsource.h"
#include "reportengine/lazyreport.h"
#include "reportengine/pagepainter.h"
#include "reportengine/pageview.h"
#include "reportengine/reportoutput.h"

#include <QDir>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// Long enough to lay out many pages at a time, short enough to leave the window responsive.
constexpr std::chrono::milliseconds kLayoutSlice(20);

void showError(const AppError& error) {
    dialogs().message(QString::number(error.number()) + " -> " + error.description());
}

// A printout or an export that did not complete is told, and kept in the log.
void showAndLogError(const AppError& error) {
    ErrorLog::write("error (Report) : ", error);
    showError(error);
}

} // namespace

ReportPreview::ReportPreview(const Report& report, RowSource& rows, QWidget* parent,
                             RowsAgain rowsAgain)
    : QDialog(parent), definition_(report), rowsAgain_(std::move(rowsAgain)),
      report_(std::make_unique<LazyReport>(report, rows)) {
    setObjectName("ReportPreview");
    setWindowTitle(report.caption);
    setAccessibleName(report.caption);
    setModal(true);
    report_->layOutTo(1);
    painter_ = std::make_unique<PagePainter>(report_->fonts());
    view_ = new PageView(
        *painter_, [this](int index) { return withPageCount(report_->page(index), countText()); },
        this);
    view_->setObjectName("PreviewPages");
    view_->setAccessibleName(tr("Pages"));
    pageNumber_ = new QLabel(this);
    pageNumber_->setObjectName("PageNumber");
    pageNumber_->setAccessibleName(tr("Page number"));
    connect(view_, &PageView::currentPageChanged, this, &ReportPreview::showPageNumber);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(makeToolBar());
    layout->addWidget(view_, 1);
    resize(900, 1000);
    showLaidOutPages();

    connect(&layoutTimer_, &QTimer::timeout, this, &ReportPreview::layOutMore);
    if (!report_->finished())
        layoutTimer_.start(0);
}

ReportPreview::~ReportPreview() = default;

QToolBar* ReportPreview::makeToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName("PreviewToolBar");
    addAction(bar, "actPrint", tr("&Print"), [this] { print(); });
    addAction(bar, "actExportPdf", tr("&Export PDF..."), [this] { exportPdf(); });
    if (rowsAgain_)
        addAction(bar, "actExportCsv", tr("Export &CSV..."), [this] { exportCsv(); });
    bar->addSeparator();
    addAction(bar, "actFirstPage", tr("First"), [this] { view_->setCurrentPage(1); });
    addAction(bar, "actPreviousPage", tr("Previous"),
              [this] { view_->setCurrentPage(view_->currentPage() - 1); });
    bar->addWidget(pageNumber_);
    addAction(bar, "actNextPage", tr("Next"), [this] { nextPage(); });
    addAction(bar, "actLastPage", tr("Last"), [this] { lastPage(); });
    bar->addSeparator();
    addAction(bar, "actZoomIn", tr("Zoom In"), [this] { view_->zoomIn(); });
    addAction(bar, "actZoomOut", tr("Zoom Out"), [this] { view_->zoomOut(); });
    addAction(bar, "actFitWidth", tr("Fit Width"), [this] { view_->fitToWidth(); });
    bar->addSeparator();
    addAction(bar, "actClose", tr("&Close"), [this] { accept(); });
    return bar;
}

void ReportPreview::addAction(QToolBar* bar, const QString& name, const QString& text,
                              const std::function<void()>& action) {
    QAction* item = bar->addAction(text);
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, action);
    if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(item))) {
        button->setObjectName(name + "Button");
        button->setAccessibleName(QString(text).remove('&').remove("..."));
    }
}

bool ReportPreview::layOut(const std::function<void()>& work) {
    try {
        work();
    } catch (const AppError& error) {
        layoutTimer_.stop();
        showError(error);
        reject();
        return false;
    }
    showLaidOutPages();
    return true;
}

void ReportPreview::layOutMore() {
    layOut([this] { report_->layOutFor(kLayoutSlice); });
}

bool ReportPreview::finishLayout() {
    bool done = false;
    layOut([this, &done] {
        const auto progress = dialogs().progress(this, windowTitle());
        done = report_->layOutAll(*progress);
    });
    return done;
}

void ReportPreview::showLaidOutPages() {
    if (report_->finished()) {
        layoutTimer_.stop();
        // Pages shown while the rest were laid out said how many there were so far.
        view_->viewport()->update();
    }
    view_->setPageCount(report_->pageCount());
    showPageNumber();
}

QString ReportPreview::countText() const {
    return report_->finished() ? QString::number(report_->pageCount())
                               : tr("%1 so far").arg(report_->pageCount());
}

void ReportPreview::showPageNumber() {
    pageNumber_->setText(
        tr("Page %1 of %2").arg(QString::number(view_->currentPage()), countText()));
}

void ReportPreview::nextPage() {
    const int next = view_->currentPage() + 1;
    if (layOut([this, next] { report_->layOutTo(next); }))
        view_->setCurrentPage(next);
}

void ReportPreview::lastPage() {
    finishLayout();
    view_->setCurrentPage(view_->pageCount());
}

void ReportPreview::output(const std::function<void()>& work) {
    layoutTimer_.stop();
    try {
        work();
    } catch (const AppError& error) {
        showAndLogError(error);
    }
    showLaidOutPages();
    if (!report_->finished())
        layoutTimer_.start(0);
}

void ReportPreview::print() {
    output([this] { printPages(*report_, this); });
}

QString ReportPreview::fileName(const QString& extension) const {
    // A caption such as "Count of Patients (Temporary/Non-Temporary)" holds a slash.
    return QString(windowTitle()).replace('/', '-') + extension;
}

void ReportPreview::exportPdf() {
    const auto path =
        dialogs().saveFile(tr("PDF Files (*.pdf)|*.pdf"), QDir::homePath(), fileName(".pdf"));
    if (path)
        output([this, &path] { savePdf(*report_, *path, this); });
}

// The pages laid out so far stay as they are: the list is read anew from the database.
void ReportPreview::exportCsv() {
    const auto path =
        dialogs().saveFile(tr("CSV Files (*.csv)|*.csv"), QDir::homePath(), fileName(".csv"));
    if (!path)
        return;
    output([this, &path] {
        const auto rows = rowsAgain_();
        const auto progress = dialogs().progress(this, windowTitle());
        exportReportRows(definition_, *rows, *path, *progress);
    });
}
