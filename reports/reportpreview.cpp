#include "reports/reportpreview.h"

#include "core/apperror.h"
#include "core/dialogs.h"
#include "reports/pagewriter.h"
#include "reports/reportoutput.h"

#include <QDir>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
void showError(const AppError& error) {
    dialogs().message(QString::number(error.number()) + " -> " + error.description());
}
} // namespace

ReportPreview::ReportPreview(LaidOutReport report, QWidget* parent)
    : QDialog(parent), report_(std::move(report)), printer_(QPrinter::HighResolution) {
    setObjectName("ReportPreview");
    setWindowTitle(report_.title);
    setAccessibleName(report_.title);
    setModal(true);
    // Pages are painted into the preview as they are on paper; no printer is asked anything.
    printer_.setOutputFormat(QPrinter::PdfFormat);
    setUpPage(printer_);
    view_ = new QPrintPreviewWidget(&printer_, this);
    view_->setObjectName("PreviewPages");
    view_->setAccessibleName("Pages");
    pageNumber_ = new QLabel(this);
    pageNumber_->setObjectName("PageNumber");
    pageNumber_->setAccessibleName("Page number");
    connect(view_, &QPrintPreviewWidget::paintRequested, this, &ReportPreview::paintPages);
    connect(view_, &QPrintPreviewWidget::previewChanged, this, &ReportPreview::showPageNumber);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(makeToolBar());
    layout->addWidget(view_, 1);
    view_->setZoomMode(QPrintPreviewWidget::FitToWidth);
    resize(900, 1000);
}

QToolBar* ReportPreview::makeToolBar() {
    auto* bar = new QToolBar(this);
    bar->setObjectName("PreviewToolBar");
    addAction(bar, "actPrint", "&Print", [this] { print(); });
    addAction(bar, "actExportPdf", "&Export PDF...", [this] { exportPdf(); });
    bar->addSeparator();
    addAction(bar, "actFirstPage", "First", [this] { view_->setCurrentPage(1); });
    addAction(bar, "actPreviousPage", "Previous",
              [this] { view_->setCurrentPage(view_->currentPage() - 1); });
    bar->addWidget(pageNumber_);
    addAction(bar, "actNextPage", "Next",
              [this] { view_->setCurrentPage(view_->currentPage() + 1); });
    addAction(bar, "actLastPage", "Last", [this] { view_->setCurrentPage(view_->pageCount()); });
    bar->addSeparator();
    addAction(bar, "actZoomIn", "Zoom In", [this] { view_->zoomIn(); });
    addAction(bar, "actZoomOut", "Zoom Out", [this] { view_->zoomOut(); });
    addAction(bar, "actFitWidth", "Fit Width",
              [this] { view_->setZoomMode(QPrintPreviewWidget::FitToWidth); });
    bar->addSeparator();
    addAction(bar, "actClose", "&Close", [this] { accept(); });
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

void ReportPreview::paintPages(QPrinter* printer) {
    PageWriter writer(*printer, report_.fonts);
    if (!writer.start())
        return;
    for (const Page& page : report_.pages)
        writer.write(page);
    writer.finish();
}

void ReportPreview::showPageNumber() {
    pageNumber_->setText(
        QString("Page %1 of %2").arg(view_->currentPage()).arg(view_->pageCount()));
}

void ReportPreview::print() {
    try {
        printPages(report_);
    } catch (const AppError& error) {
        showError(error);
    }
}

void ReportPreview::exportPdf() {
    // A caption such as "Count of Patients (Temporary/Non-Temporary)" holds a slash.
    const QString fileName = QString(report_.title).replace('/', '-') + ".pdf";
    const auto path = dialogs().saveFile("PDF Files (*.pdf)|*.pdf", QDir::homePath(), fileName);
    if (!path)
        return;
    try {
        savePdf(report_, *path);
    } catch (const AppError& error) {
        showError(error);
    }
}
