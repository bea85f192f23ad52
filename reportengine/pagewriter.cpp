#include "reportengine/pagewriter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPrinter>

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
