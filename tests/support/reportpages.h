#pragma once

#include "reportengine/pages.h"

#include <QStringList>
#include <QTimer>
#include <functional>

class QWidget;
class ReportPreview;

// Helpers for tests that read laid-out report pages, PDF files and modal windows.

// The lines that a control placed on a page, top to bottom.
std::vector<PlacedText> textsOf(const Page& page, const QString& control);
// Those lines joined by spaces; empty when the control placed nothing.
QString textOf(const Page& page, const QString& control);
// Every line on the page, top to bottom and left to right.
QStringList allTexts(const Page& page);
// The rows of a laid-out report: for each line, the texts of the named controls in their order.
QList<QStringList> reportRows(const LaidOutReport& report, const QStringList& controls);

// Where the ink of each line of a control ends on the right, in twips, the page painted as the
// preview and the printer paint it.
QList<int> inkRightEdges(const LaidOutReport& report, const Page& page, const QString& control);

// What a preview shows once it has laid out the whole report, read back page by page.
LaidOutReport shownReport(ReportPreview* preview);

// While it lives, calls inspect with the next modal window as soon as it is shown, then closes
// that window.
class ModalWatch {
  public:
    explicit ModalWatch(std::function<void(QWidget*)> inspect);
    bool seen() const { return seen_; }

  private:
    void check();

    QTimer timer_;
    std::function<void(QWidget*)> inspect_;
    bool seen_ = false;
};

// What the preview that clicking the button (or triggering the menu item, named "mn...") opens
// shows, laid out to its end; the preview is then closed. No preview ends the run.
LaidOutReport previewOf(QWidget* screen, const QString& control);
// The cash book of a day ("DDMMYYYY" as typed) from the periodic reports dialog.
LaidOutReport cashBookOf(QWidget* reportsDialog, const QString& typedDay);

// The output of a command-line tool; fails the running test when the tool cannot be run.
QString toolOutput(const QString& program, const QStringList& arguments);
int pdfPageCount(const QString& path);
QString pdfText(const QString& path);
