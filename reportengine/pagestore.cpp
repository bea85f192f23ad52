#include "reportengine/pagestore.h"

#include "core/apperror.h"
#include "reportengine/reportoutput.h"

#include <QCoreApplication>
#include <cstring>

// A page is written as it lies in memory, field by field, which is many times faster than a
// general-purpose stream for the hundreds of thousands of texts of a long report. The file is
// read back only by the process that wrote it.

namespace {

struct TextRecord {
    qint32 rect[4];
    qint32 font;
    quint32 alignment;
    quint32 control;
    quint32 rightToLeft;
    quint32 length;
};

struct LineRecord {
    qint32 points[4];
    quint32 control;
};

struct PageRecord {
    qint32 number;
    qint32 height;
    quint32 texts;
    quint32 lines;
};

template <typename T> void put(QByteArray& bytes, const T& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Reads a record and moves past it.
template <typename T> T take(const char*& at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    at += sizeof value;
    return value;
}

AppError storeFailed(const QIODevice& device) {
    return AppError(kFileErrorNumber,
                    QCoreApplication::translate(
                        "PageStore", "The report's pages could not be kept in a temporary file: ") +
                        device.errorString());
}

} // namespace

PageStore::PageStore() : device_(&file_) {
    if (!file_.open()) {
        memory_.open(QIODevice::ReadWrite);
        device_ = &memory_;
    }
}

quint32 PageStore::controlIndex(const QString& control) {
    const auto found = controlIndexes_.constFind(control);
    if (found != controlIndexes_.constEnd())
        return *found;
    controls_.push_back(control);
    return *controlIndexes_.insert(control, quint32(controls_.size() - 1));
}

void PageStore::append(const Page& page) {
    QByteArray bytes;
    bytes.reserve(int(sizeof(PageRecord) + page.content.texts.size() * (sizeof(TextRecord) + 20) +
                      page.content.lines.size() * sizeof(LineRecord)));
    put(bytes, PageRecord{page.number, page.content.height, quint32(page.content.texts.size()),
                          quint32(page.content.lines.size())});
    for (const PlacedText& text : page.content.texts) {
        const QRect& r = text.rect;
        put(bytes, TextRecord{{r.x(), r.y(), r.width(), r.height()},
                              text.font,
                              quint32(text.alignment),
                              controlIndex(text.control),
                              text.rightToLeft,
                              quint32(text.text.size())});
        bytes.append(reinterpret_cast<const char*>(text.text.utf16()),
                     text.text.size() * qsizetype(sizeof(char16_t)));
    }
    for (const PlacedLine& line : page.content.lines) {
        const QLine& l = line.line;
        put(bytes, LineRecord{{l.x1(), l.y1(), l.x2(), l.y2()}, controlIndex(line.control)});
    }
    if (!device_->seek(offsets_.back()) || device_->write(bytes) != bytes.size())
        throw storeFailed(*device_);
    offsets_.push_back(offsets_.back() + bytes.size());
}

Page PageStore::page(int index) const {
    const qint64 size = offsets_.at(index + 1) - offsets_.at(index);
    if (!device_->seek(offsets_.at(index)))
        throw storeFailed(*device_);
    const QByteArray bytes = device_->read(size);
    if (bytes.size() != size)
        throw storeFailed(*device_);
    const char* at = bytes.constData();
    const auto head = take<PageRecord>(at);
    Page page{head.number, {}};
    page.content.height = head.height;
    page.content.texts.resize(head.texts);
    for (PlacedText& text : page.content.texts) {
        const auto record = take<TextRecord>(at);
        text.rect = QRect(record.rect[0], record.rect[1], record.rect[2], record.rect[3]);
        text.font = record.font;
        text.alignment = Qt::Alignment(record.alignment);
        text.control = controls_[record.control];
        text.rightToLeft = record.rightToLeft;
        text.text.resize(record.length);
        std::memcpy(text.text.data(), at, record.length * sizeof(char16_t));
        at += record.length * sizeof(char16_t);
    }
    page.content.lines.resize(head.lines);
    for (PlacedLine& line : page.content.lines) {
        const auto record = take<LineRecord>(at);
        line.line = QLine(record.points[0], record.points[1], record.points[2], record.points[3]);
        line.control = controls_[record.control];
    }
    return page;
}
