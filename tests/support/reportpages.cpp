#include "reportpages.h"

#include "ui.h"

#include "reportengine/lazyreport.h"
#include "reportengine/pagepainter.h"
#include "reportengine/reportdefinition.h"
#include "reportengine/reportpreview.h"

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QMap>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>

std::vector<PlacedText> textsOf(const Page& page, const QString& control) {
    std::vector<PlacedText> found;
    for (const PlacedText& text : page.content.texts)
        if (text.control == control)
            found.push_back(text);
    std::sort(found.begin(), found.end(),
              [](const PlacedText& a, const PlacedText& b) { return a.rect.top() < b.rect.top(); });
    return found;
}

QString textOf(const Page& page, const QString& control) {
    QStringList lines;
    for (const PlacedText& text : textsOf(page, control))
        lines << text.text;
    return lines.join(' ');
}

QStringList allTexts(const Page& page) {
    std::vector<PlacedText> texts = page.content.texts;
    std::sort(texts.begin(), texts.end(), [](const PlacedText& a, const PlacedText& b) {
        return std::make_pair(a.rect.top(), a.rect.left()) <
               std::make_pair(b.rect.top(), b.rect.left());
    });
    QStringList lines;
    for (const PlacedText& text : texts)
        lines << text.text;
    return lines;
}

LaidOutReport shownReport(ReportPreview* preview) {
    if (!preview->finishLayout())
        QTest::qFail("the preview did not lay out the whole report", __FILE__, __LINE__);
    const LazyReport& report = preview->report();
    LaidOutReport shown{preview->windowTitle(), kPageSizeTwips, report.fonts(), {}};
    for (int i = 0; i < report.pageCount(); ++i)
        shown.pages.push_back(report.page(i));
    return shown;
}

QList<int> inkRightEdges(const LaidOutReport& report, const Page& page, const QString& control) {
    constexpr double kPixelsPerTwip = 0.1;
    QImage image(QSize(kPageSizeTwips.width(), kPageSizeTwips.height()) * kPixelsPerTwip,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.scale(kPixelsPerTwip, kPixelsPerTwip);
        PagePainter(report.fonts).paint(painter, page);
    }
    QList<int> edges;
    for (const PlacedText& text : textsOf(page, control)) {
        const QRect box(text.rect.topLeft() * kPixelsPerTwip, text.rect.size() * kPixelsPerTwip);
        int right = -1;
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.right(); x > right && x >= box.left(); --x)
                if (qGray(image.pixel(x, y)) < 128)
                    right = x;
        edges << int(right / kPixelsPerTwip);
    }
    return edges;
}

ModalWatch::ModalWatch(std::function<void(QWidget*)> inspect) : inspect_(std::move(inspect)) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] { check(); });
    timer_.start();
}

void ModalWatch::check() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    timer_.stop();
    seen_ = true;
    inspect_(modal);
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

LaidOutReport previewOf(QWidget* screen, const QString& control) {
    LaidOutReport shown;
    const ModalWatch watch([&shown](QWidget* window) {
        auto* preview = qobject_cast<ReportPreview*>(window);
        QVERIFY(preview);
        shown = shownReport(preview);
    });
    if (control.startsWith("mn"))
        trigger(screen, control);
    else
        click(screen, control);
    if (!watch.seen())
        qFatal("%s showed no preview", qPrintable(control));
    return shown;
}

LaidOutReport cashBookOf(QWidget* reportsDialog, const QString& typedDay) {
    QLineEdit* day = box(reportsDialog, "text1");
    day->setFocus();
    day->home(false);
    QTest::keyClicks(day, typedDay);
    return previewOf(reportsDialog, "cmdCashBook");
}

QString toolOutput(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        QTest::qFail(qPrintable(program + " failed: " + process.errorString() + " " +
                                QString::fromUtf8(process.readAllStandardError())),
                     __FILE__, __LINE__);
        return QString();
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPageCount(const QString& path) {
    const QString info = toolOutput("pdfinfo", {path});
    const auto match = QRegularExpression(R"(Pages:\s+(\d+))").match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pdfText(const QString& path) {
    return toolOutput("pdftotext", {"-layout", path, "-"});
}

QList<QStringList> reportRows(const LaidOutReport& report, const QStringList& controls) {
    QMap<qint64, QStringList> rows;
    for (const Page& page : report.pages)
        for (const PlacedText& text : page.content.texts) {
            const int column = controls.indexOf(text.control);
            if (column < 0)
                continue;
            const qint64 line = qint64(page.number) * 100000 + text.rect.top();
            if (!rows.contains(line))
                rows[line] = QStringList(controls.size(), QString());
            rows[line][column] = text.text;
        }
    return rows.values();
}
