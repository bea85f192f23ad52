#pragma once

#include "reportengine/pagepainter.h"

#include <QPainter>

class QPagedPaintDevice;

// Draws laid-out pages on a paged device (printer, PDF file), one page after another.
class PageWriter {
  public:
    PageWriter(QPagedPaintDevice& device, std::vector<QFont> fonts);

    // Sets the device to A4 paper with its origin at the paper's corner and starts painting;
    // false when the device cannot be painted on.
    bool start();
    void write(const Page& page);
    // Ends painting; on a printer this sends the job.
    void finish();

  private:
    QPagedPaintDevice& device_;
    PagePainter pagePainter_;
    QPainter painter_;
    int written_ = 0;
};

// Prepares a device for pages of the report's paper size.
void setUpPage(QPagedPaintDevice& device);
