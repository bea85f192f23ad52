#include "support/reportpages.h"
#include "support/smalldisk.h"
#include "support/testenv.h"

#include "core/apperror.h"
#include "db/engine/rowsource.h"
#include "reportengine/lazyreport.h"
#include "reportengine/pagepainter.h"
#include "reportengine/pagestore.h"
#include "reportengine/pageview.h"
#include "reportengine/reportfonts.h"
#include "reportengine/reportlayout.h"
#include "reportengine/reportoutput.h"
#include "reportengine/reportparts.h"
#include "reportengine/reportpreview.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <set>

namespace {

// A page header, one numbered detail line per row with an Arabic name beside it, a page footer
// and a total: 41 rows to a page.
Report numberedReport() {
    Report report = emptyReport("numbered", "Numbered", 9000);
    report.sections[PageHeader].controls = {label("head", "Heading", QRect(0, 0, 9000, 300)),
                                            rule("headRule", 0, 350, 9000)};
    report.sections[PageHeader].height = 400;
    report.sections[Detail].controls = {
        textBox("n", "n", QRect(0, 0, 2000, 300), std::nullopt, Qt::AlignRight),
        textBox("name", "name", QRect(2500, 0, 4000, 300))};
    report.sections[Detail].height = 300;
    report.sections[PageFooter].controls = {label("foot", "Footer", QRect(0, 100, 9000, 300))};
    report.sections[PageFooter].height = 500;
    report.sections[ReportFooter].controls = {label("totalLabel", "Total", QRect(0, 0, 2000, 300)),
                                              sumOf("total", "n", QRect(2000, 0, 2000, 300))};
    report.sections[ReportFooter].height = 300;
    return report;
}

// Numbered rows that count how many were read, and can fail at one of them as a database that
// goes away would.
class CountedRows : public RowSource {
  public:
    explicit CountedRows(int count, int failAt = 0) : count_(count), failAt_(failAt) {}
    QStringList columns() const override { return {"n", "name"}; }
    bool next() override {
        if (read_ == failAt_ - 1)
            throw AppError(11, "The database file could not be read.");
        return ++read_ <= count_;
    }
    QVariant value(int column) const override {
        return column == 0 ? QVariant(read_) : QVariant(QString::fromUtf8("سارة") + " Ann");
    }
    int read() const { return read_; }

  private:
    int count_;
    int failAt_;
    int read_ = 0;
};

LaidOutReport laidOut(int rows) {
    CountedRows source(rows);
    return layoutReport(numberedReport(), source);
}

QString pageNumber(ReportPreview& preview) {
    return preview.findChild<QLabel*>("PageNumber")->text();
}

void trigger(ReportPreview& preview, const QString& action) {
    preview.findChild<QAction*>(action)->trigger();
}

bool sameText(const PlacedText& a, const PlacedText& b) {
    return a.rect == b.rect && a.text == b.text && a.control == b.control && a.font == b.font &&
           a.alignment == b.alignment && a.rightToLeft == b.rightToLeft;
}

void verifySamePages(const LazyReport& shown, const LaidOutReport& expected) {
    QCOMPARE(shown.pageCount(), int(expected.pages.size()));
    for (int i = 0; i < shown.pageCount(); ++i) {
        const Page page = shown.page(i);
        const Page& want = expected.pages[i];
        QCOMPARE(page.number, want.number);
        QCOMPARE(page.content.height, want.content.height);
        QCOMPARE(page.content.texts.size(), want.content.texts.size());
        for (size_t t = 0; t < want.content.texts.size(); ++t)
            QVERIFY2(sameText(page.content.texts[t], want.content.texts[t]),
                     qPrintable(QString("page %1, text %2").arg(i + 1).arg(t)));
        QCOMPARE(page.content.lines.size(), want.content.lines.size());
        for (size_t l = 0; l < want.content.lines.size(); ++l)
            QCOMPARE(page.content.lines[l].line, want.content.lines[l].line);
    }
}

// True when the image holds something darker than the paper's white.
bool hasInk(const QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return true;
    return false;
}

} // namespace

class PreviewTest : public QObject {
    Q_OBJECT
  private slots:
    void firstPageShowsBeforeTheRestIsLaidOut();
    void laidOutPagesComeBackAsTheyWereLaidOut();
    void onlyThePagesInSightArePainted();
    void pagesTurnAndLayOutAsFarAsTheUserGoes();
    void cancelledLayoutAndExportStopAndLeaveNoFile();
    void exportWhileLayingOutWritesEveryPage();
    void exportToAFullDiskLeavesNoFileAndSaysWhy();
    void aFailureWhileReadingRowsIsShownAndClosesThePreview();
};

void PreviewTest::firstPageShowsBeforeTheRestIsLaidOut() {
    TestEnv env;
    const Report report = numberedReport();
    const int rows = 4000;
    CountedRows source(rows);
    ReportPreview preview(report, source);
    QVERIFY2(source.read() < 100, qPrintable(QString::number(source.read())));
    QCOMPARE(preview.view()->pageCount(), 1);
    QCOMPARE(pageNumber(preview), QString("Page 1 of 1 so far"));

    preview.show();
    QTRY_VERIFY_WITH_TIMEOUT(preview.report().finished(), 30000);
    QCOMPARE(source.read(), rows + 1);
    const int pages = int(laidOut(rows).pages.size());
    QVERIFY(pages > 90);
    QCOMPARE(preview.view()->pageCount(), pages);
    QCOMPARE(pageNumber(preview), QString("Page 1 of %1").arg(pages));
}

void PreviewTest::laidOutPagesComeBackAsTheyWereLaidOut() {
    TestEnv env;
    CountedRows source(300);
    LazyReport report(numberedReport(), source);
    report.layOutTo(1000);
    QVERIFY(report.finished());
    verifySamePages(report, laidOut(300));

    // Pages with no text, texts with no characters.
    PageStore store;
    Page empty{7, {}};
    Page blank{8, {}};
    blank.content.texts.push_back({QRect(1, 2, 3, 4), QString(), "x", 0, Qt::AlignRight, true});
    store.append(empty);
    store.append(blank);
    QCOMPARE(store.count(), 2);
    QCOMPARE(store.page(0).number, 7);
    QVERIFY(store.page(0).content.texts.empty());
    QVERIFY(sameText(store.page(1).content.texts.at(0), blank.content.texts.at(0)));
}

void PreviewTest::onlyThePagesInSightArePainted() {
    TestEnv env;
    const LaidOutReport report = laidOut(2000);
    const int pages = int(report.pages.size());
    const PagePainter painter(report.fonts);
    std::set<int> painted;
    PageView view(painter, [&](int index) {
        painted.insert(index);
        return report.pages.at(index);
    });
    view.resize(600, 800);
    view.setPageCount(pages);
    QCOMPARE(view.currentPage(), 1);
    QVERIFY(hasInk(view.viewport()->grab().toImage()));
    QVERIFY2(painted.size() <= 2 && painted.count(0), qPrintable(QString::number(painted.size())));

    painted.clear();
    view.setCurrentPage(30);
    QVERIFY(hasInk(view.viewport()->grab().toImage()));
    QVERIFY2(painted.size() <= 2 && painted.count(29), qPrintable(QString::number(painted.size())));

    // Zoomed out, a few pages share the view, still not all of them.
    painted.clear();
    for (int i = 0; i < 5; ++i)
        view.zoomOut();
    view.viewport()->grab();
    QVERIFY(painted.size() > 2 && int(painted.size()) < pages);
    QCOMPARE(view.currentPage(), 30);
}

void PreviewTest::pagesTurnAndLayOutAsFarAsTheUserGoes() {
    TestEnv env;
    CountedRows source(4000);
    ReportPreview preview(numberedReport(), source);
    trigger(preview, "actNextPage");
    trigger(preview, "actNextPage");
    QCOMPARE(preview.view()->currentPage(), 3);
    QVERIFY(!preview.report().finished());
    QCOMPARE(pageNumber(preview), QString("Page 3 of %1 so far").arg(preview.report().pageCount()));
    trigger(preview, "actPreviousPage");
    QCOMPARE(preview.view()->currentPage(), 2);

    trigger(preview, "actLastPage");
    QVERIFY(preview.report().finished());
    const int pages = preview.report().pageCount();
    QCOMPARE(pageNumber(preview), QString("Page %1 of %1").arg(pages));
    trigger(preview, "actNextPage");
    QCOMPARE(preview.view()->currentPage(), pages);
    trigger(preview, "actFirstPage");
    QCOMPARE(pageNumber(preview), QString("Page 1 of %1").arg(pages));
    trigger(preview, "actPreviousPage");
    QCOMPARE(preview.view()->currentPage(), 1);
    QVERIFY(env.dialogs.progressShown().contains(QString("Laying out page %1").arg(pages)));
}

void PreviewTest::cancelledLayoutAndExportStopAndLeaveNoFile() {
    TestEnv env;
    CountedRows source(4000);
    ReportPreview preview(numberedReport(), source);
    env.dialogs.cancelProgressAt(5);
    trigger(preview, "actLastPage");
    QVERIFY(!preview.report().finished());
    QCOMPARE(preview.report().pageCount(), 5);
    QCOMPARE(preview.view()->currentPage(), 5);
    QCOMPARE(pageNumber(preview), QString("Page 5 of 5 so far"));

    trigger(preview, "actLastPage");
    QVERIFY(preview.report().finished());
    const QString path = env.root() + "/cancelled.pdf";
    env.dialogs.expectSaveFile("PDF Files (*.pdf)|*.pdf", path);
    env.dialogs.cancelProgressAt(3);
    trigger(preview, "actExportPdf");
    QVERIFY(!QFile::exists(path));
    QCOMPARE(env.dialogs.progressShown().last(),
             QString("Writing page 3 of %1").arg(preview.report().pageCount()));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
}

void PreviewTest::exportWhileLayingOutWritesEveryPage() {
    TestEnv env;
    CountedRows source(700);
    ReportPreview preview(numberedReport(), source);
    QVERIFY(!preview.report().finished());
    const QString path = env.root() + "/whole.pdf";
    env.dialogs.expectSaveFile("PDF Files (*.pdf)|*.pdf", path);
    trigger(preview, "actExportPdf");
    const int pages = int(laidOut(700).pages.size());
    QCOMPARE(pdfPageCount(path), pages);
    const QString text = pdfText(path);
    QVERIFY(text.contains("700") && text.contains("Footer"));
    QCOMPARE(pageNumber(preview), QString("Page 1 of %1").arg(pages));
}

// A disk with 4 KB free: the PDF is not left broken under its name, the user is told why and the
// log keeps it.
void PreviewTest::exportToAFullDiskLeavesNoFileAndSaysWhy() {
    TestEnv env;
    const SmallDisk disk(env.root() + "/usb", 256);
    QVERIFY(disk.mounted());
    disk.fillLeaving(4096);
    CountedRows source(700);
    ReportPreview preview(numberedReport(), source);
    const QString path = disk.path() + "/report.pdf";
    env.dialogs.expectSaveFile("PDF Files (*.pdf)|*.pdf", path);
    env.dialogs.expectMessage("75 -> The file " + path +
                              " could not be written (No space left on device).");
    trigger(preview, "actExportPdf");
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList{".filler"});
    QVERIFY(env.log().contains("error (Report) : 75 -> The file " + path));
}

void PreviewTest::aFailureWhileReadingRowsIsShownAndClosesThePreview() {
    TestEnv env;
    CountedRows source(4000, 2500);
    ReportPreview preview(numberedReport(), source);
    env.dialogs.expectMessage("11 -> The database file could not be read.");
    // Were the failure not handled, the preview would stay open: it is then closed otherwise.
    QTimer::singleShot(20000, &preview, &QDialog::accept);
    QCOMPARE(preview.exec(), int(QDialog::Rejected));
    QVERIFY2(env.dialogs.allAnswered(), qPrintable(env.dialogs.report()));
    QVERIFY(!preview.report().finished());
}

QTEST_MAIN(PreviewTest)
#include "test_preview.moc"
