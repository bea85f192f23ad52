#include "reportengine/pagewriter.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPrinter>
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <vector>
#include <zlib.h>

namespace {

// A deflate stream's state is some 270 KB in five blocks, made anew for every page. Handed back to
// the system after each page, the memory was faulted in again page after page, a tenth of the
// printing: the blocks of the last streams are kept for the next ones.
class SpareBlocks {
  public:
    ~SpareBlocks() {
        for (void* block : blocks_)
            std::free(header(block));
    }
    static voidpf allocate(voidpf, uInt items, uInt size) {
        const size_t bytes = size_t(items) * size;
        auto& blocks = spare.blocks_;
        const auto kept = std::find_if(blocks.begin(), blocks.end(),
                                       [bytes](void* block) { return *header(block) == bytes; });
        if (kept != blocks.end()) {
            void* block = *kept;
            blocks.erase(kept);
            return block;
        }
        auto* made = static_cast<size_t*>(std::malloc(kHeader + bytes));
        if (!made)
            return Z_NULL;
        *made = bytes;
        return reinterpret_cast<char*>(made) + kHeader;
    }
    static void release(voidpf, voidpf block) {
        if (spare.blocks_.size() < kKept)
            spare.blocks_.push_back(block);
        else
            std::free(header(block));
    }

  private:
    static constexpr size_t kHeader = alignof(std::max_align_t);
    static constexpr size_t kKept = 10;
    static size_t* header(void* block) {
        return reinterpret_cast<size_t*>(static_cast<char*>(block) - kHeader);
    }
    static thread_local SpareBlocks spare;
    std::vector<void*> blocks_;
};

thread_local SpareBlocks SpareBlocks::spare;

} // namespace

// Qt's PDF engine, behind the printer and the PDF file alike, deflates every page at zlib's default
// level, which was most of the time a long report took to print. It asks for that level through
// deflateInit(); defined here, the program's deflateInit() is the one the engine calls, and gives
// the fastest level instead: the same pages once inflated, in a file about a fifth larger. Callers
// that name a level or a memory allocator of their own keep it.
extern "C" int deflateInit_(z_streamp stream, int level, const char* version, int size) {
    if (level == Z_DEFAULT_COMPRESSION)
        level = Z_BEST_SPEED;
    if (stream->zalloc == Z_NULL && stream->zfree == Z_NULL) {
        stream->zalloc = SpareBlocks::allocate;
        stream->zfree = SpareBlocks::release;
    }
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
