#include "reportengine/lazyreport.h"

#include "core/dialogs.h"
#include "reportengine/pagewriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>

LazyReport::LazyReport(const Report& report, RowSource& rows)
    : report_(report), layout_(report_, rows) {
    layout_.start([this](Page&& page) { store_.append(page); });
}

void LazyReport::layOutTo(int pages) {
    while (store_.count() < pages && layout_.step()) {
    }
}

void LazyReport::layOutFor(std::chrono::milliseconds time) {
    QElapsedTimer clock;
    clock.start();
    while (!clock.hasExpired(time.count()) && layout_.step()) {
    }
}

bool LazyReport::layOutAll(Progress& progress) {
    while (!finished()) {
        layOutTo(pageCount() + 1);
        if (!progress.advance(
                QCoreApplication::translate("LazyReport", "Laying out page %1").arg(pageCount()),
                pageCount(), 0))
            return false;
    }
    return true;
}

bool writeAll(const LazyReport& report, PageWriter& writer, Progress& progress,
              const QString& pageText) {
    const int total = report.pageCount();
    for (int index = 0; index < total; ++index) {
        writer.write(withPageCount(report.page(index), QString::number(total)));
        const QString text = pageText.arg(index + 1).arg(total);
        if (!progress.advance(text, index + 1, total))
            return false;
    }
    return true;
}
