#pragma once

#include "reports/pages.h"

#include <QDialog>
#include <QPrinter>

class QLabel;
class QPrintPreviewWidget;
class QToolBar;

// The preview window of a laid-out report, titled with the report's caption. From it the pages
// go to the default printer or into a PDF file; it never lays the report out again.
class ReportPreview : public QDialog {
    Q_OBJECT
  public:
    explicit ReportPreview(LaidOutReport report, QWidget* parent = nullptr);

    const LaidOutReport& report() const { return report_; }
    QPrintPreviewWidget* view() const { return view_; }

  private:
    QToolBar* makeToolBar();
    void addAction(QToolBar* bar, const QString& name, const QString& text,
                   const std::function<void()>& action);
    void paintPages(QPrinter* printer);
    void showPageNumber();
    void print();
    void exportPdf();

    LaidOutReport report_;
    QPrinter printer_;
    QPrintPreviewWidget* view_;
    QLabel* pageNumber_;
};
