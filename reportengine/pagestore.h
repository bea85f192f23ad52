#pragma once

#include "reportengine/pages.h"

#include <QBuffer>
#include <QHash>
#include <QTemporaryFile>
#include <vector>

// The laid-out pages of one report, kept in a temporary file rather than in memory, so that a
// report of thousands of pages takes the memory of the page being painted. Where no temporary
// file can be made the pages stay in memory.
class PageStore {
  public:
    PageStore();
    PageStore(const PageStore&) = delete;
    PageStore& operator=(const PageStore&) = delete;

    // Throws AppError when the page cannot be written (a full disk).
    void append(const Page& page);
    int count() const { return int(offsets_.size()) - 1; }
    // A page as it was appended; throws AppError when it cannot be read back.
    Page page(int index) const;

  private:
    quint32 controlIndex(const QString& control);

    QTemporaryFile file_;
    QBuffer memory_;
    QIODevice* device_;
    // Where each page starts, and where the next one will.
    std::vector<qint64> offsets_{0};
    // A report has a few dozen controls: each name is kept once, pages hold its index.
    QHash<QString, quint32> controlIndexes_;
    std::vector<QString> controls_;
};
