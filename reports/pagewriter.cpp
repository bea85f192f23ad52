#include "reports/pagewriter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <zlib.h>

// Qt's PDF engine, behind the printer and the PDF file alike, deflates every page at zlib's default
// level, which was most of the time a long report took to print. It asks for that level through
// deflateInit(); defined here, the program's deflateInit() is the one the engine calls, and gives
// the fastest level instead: the same pages once inflated, in a file about a fifth larger. Callers
// that name a level of their own keep it.
extern "C" int deflateInit_(z_streamp stream, int level, const char* version, int size) {
    if (level == Z_DEFAULT_COMPRESSION)
        level = Z_BEST_SPEED;
    return deflateInit2_(stream, level, Z_DEFLATED, MAX_WBITS, 8, Z_DEFAULT_STRATEGY, version,
                         size);
}

void setUpPage(QPagedPaintDevice& device) {
    if (auto* printer = dynamic_cast<QPrinter*>(&device))
        printer->setFullPage(true);
    device.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
}

PageWriter::PageWriter(QPagedPaintDevice& device, std::vector<QFont> fonts)
    : device_(device), pagePainter_(std::move(fonts)) {}

bool PageWriter::start() {
    setUpPage(device_);
    if (!painter_.begin(&device_))
        return false;
    painter_.scale(device_.logicalDpiX() / 1440.0, device_.logicalDpiY() / 1440.0);
    return true;
}

void PageWriter::write(const Page& page) {
    if (written_++ > 0)
        device_.newPage();
    pagePainter_.paint(painter_, page);
}

void PageWriter::finish() {
    painter_.end();
}
