#include "reports/pagestore.h"

#include "core/apperror.h"
#include "reports/reportoutput.h"

#include <QDataStream>

namespace {

QDataStream& operator<<(QDataStream& out, const PlacedText& text) {
    return out << text.rect << text.text << text.control << qint32(text.font)
               << quint32(text.alignment) << text.rightToLeft;
}

QDataStream& operator>>(QDataStream& in, PlacedText& text) {
    qint32 font = 0;
    quint32 alignment = 0;
    in >> text.rect >> text.text >> text.control >> font >> alignment >> text.rightToLeft;
    text.font = font;
    text.alignment = Qt::Alignment(alignment);
    return in;
}

QDataStream& operator<<(QDataStream& out, const PlacedLine& line) {
    return out << line.line << line.control;
}

QDataStream& operator>>(QDataStream& in, PlacedLine& line) {
    return in >> line.line >> line.control;
}

template <typename T> void writeAll(QDataStream& out, const std::vector<T>& items) {
    out << quint32(items.size());
    for (const T& item : items)
        out << item;
}

template <typename T> void readAll(QDataStream& in, std::vector<T>& items) {
    quint32 count = 0;
    in >> count;
    items.resize(count);
    for (T& item : items)
        in >> item;
}

void useNativeOrder(QDataStream& stream) {
    stream.setByteOrder(QSysInfo::ByteOrder == QSysInfo::LittleEndian ? QDataStream::LittleEndian
                                                                      : QDataStream::BigEndian);
}

AppError storeFailed(const QIODevice& device) {
    return AppError(kFileErrorNumber, "The report's pages could not be kept in a temporary file: " +
                                          device.errorString());
}

} // namespace

PageStore::PageStore() : device_(&file_) {
    if (!file_.open()) {
        memory_.open(QIODevice::ReadWrite);
        device_ = &memory_;
    }
}

void PageStore::append(const Page& page) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    useNativeOrder(out);
    out << qint32(page.number) << qint32(page.content.height);
    writeAll(out, page.content.texts);
    writeAll(out, page.content.lines);
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
    QDataStream in(bytes);
    useNativeOrder(in);
    Page page;
    qint32 number = 0;
    qint32 height = 0;
    in >> number >> height;
    page.number = number;
    page.content.height = height;
    readAll(in, page.content.texts);
    readAll(in, page.content.lines);
    return page;
}
