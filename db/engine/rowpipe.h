#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Rows read on a thread of their own and handed, a chunk at a time, to the thread that writes
// them, so that reading and writing each take a core. At most a few chunks wait at any time,
// however long the table: the reader waits when they are full. A failure of the reader reaches
// the writer; a writer that gives up (a cancel, a failed write) stops the reader and waits for it,
// so that nothing is left running.
template <typename Row> class RowPipe {
  public:
    RowPipe() = default;
    ~RowPipe() {
        if (!reader_.joinable())
            return;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            stopped_ = true;
        }
        changed_.notify_all();
        reader_.join();
    }
    RowPipe(const RowPipe&) = delete;
    RowPipe& operator=(const RowPipe&) = delete;

    // Runs read on the reader's thread; read hands each row to push().
    void start(const std::function<void()>& read) {
        reader_ = std::thread([this, read] {
            try {
                read();
                finish({});
            } catch (const Stopped&) {
            } catch (...) {
                finish(std::current_exception());
            }
        });
    }

    // On the reader's thread.
    void push(Row&& row) {
        filling_.push_back(std::move(row));
        if (int(filling_.size()) == kChunkRows)
            hand(false);
    }

    // On the writer's thread: the next rows, none once every row has come. Raises the reader's
    // failure.
    std::vector<Row> take() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return !chunks_.empty() || ended_; });
        if (chunks_.empty()) {
            if (failure_)
                std::rethrow_exception(failure_);
            return {};
        }
        std::vector<Row> chunk = std::move(chunks_.front());
        chunks_.pop_front();
        lock.unlock();
        changed_.notify_all();
        return chunk;
    }

  private:
    static constexpr int kChunkRows = 256;
    static constexpr int kChunksWaiting = 8;
    struct Stopped {};

    void hand(bool last) {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return int(chunks_.size()) < kChunksWaiting || stopped_; });
        if (stopped_)
            throw Stopped();
        if (!filling_.empty())
            chunks_.push_back(std::move(filling_));
        filling_ = {};
        ended_ = last;
        lock.unlock();
        changed_.notify_all();
    }

    void finish(std::exception_ptr failure) {
        if (!failure) {
            hand(true);
            return;
        }
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            failure_ = failure;
            ended_ = true;
        }
        changed_.notify_all();
    }

    std::vector<Row> filling_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<Row>> chunks_;
    bool ended_ = false;
    bool stopped_ = false;
    std::exception_ptr failure_;
    std::thread reader_;
};
