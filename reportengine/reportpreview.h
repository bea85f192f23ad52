#pragma once

#include "reportengine/reportcsv.h"
#include "reportengine/reportdefinition.h"

#include <QDialog>
#include <QTimer>
#include <functional>
#include <memory>

class LazyReport;
class PagePainter;
class PageView;
class QLabel;
class QToolBar;
class RowSource;

// The preview window of a report, titled with the report's caption. It shows the first page as
// soon as that is laid out and lays out the rest while the user looks; from it the pages go to
// the default printer or into a PDF file, and, where the rows can be read again, the report's
// list into a CSV file.
class ReportPreview : public QDialog {
    Q_OBJECT
  public:
    // Lays the report out as far as its first page; throws AppError as the layout does. The rows
    // must outlive the preview.
    ReportPreview(const Report& report, RowSource& rows, QWidget* parent = nullptr,
                  RowsAgain rowsAgain = {});
    ~ReportPreview() override;

    const LazyReport& report() const { return *report_; }
    PageView* view() const { return view_; }
    // Lays out the rest of the report, showing how far it has come; false when the user cancelled
    // or the layout failed.
    bool finishLayout();

  private:
    QToolBar* makeToolBar();
    void addAction(QToolBar* bar, const QString& name, const QString& text,
                   const std::function<void()>& action);
    // Runs a piece of the layout; a failure (the rows could not be read) is shown and closes the
    // preview, as the report cannot be complete.
    bool layOut(const std::function<void()>& work);
    void layOutMore();
    void showLaidOutPages();
    void showPageNumber();
    // The count of pages as the pages and the page label say it.
    QString countText() const;
    void nextPage();
    void lastPage();
    // Stops the layout in the background while the pages go out.
    void output(const std::function<void()>& work);
    void print();
    void exportPdf();
    void exportCsv();
    // The file name offered for an export: the caption, which may hold a slash.
    QString fileName(const QString& extension) const;

    Report definition_;
    RowsAgain rowsAgain_;
    std::unique_ptr<LazyReport> report_;
    std::unique_ptr<PagePainter> painter_;
    PageView* view_;
    QLabel* pageNumber_;
    QTimer layoutTimer_;
};
