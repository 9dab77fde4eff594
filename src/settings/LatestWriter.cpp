#include "settings/LatestWriter.h"

#include <utility>

namespace zorrel::settings {

LatestWriter::~LatestWriter()
{
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    if (thread_.joinable())
        thread_.join();
}

void LatestWriter::post(std::function<void()> write)
{
    {
        const std::lock_guard lock(mutex_);
        due_ = std::move(write);
        if (!thread_.joinable())
            thread_ = std::thread([this] { serve(); });
    }
    changed_.notify_all();
}

void LatestWriter::serve()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return due_ || ending_; });
        if (!due_)
            return; // ending, with nothing left to write
        const std::function<void()> write = *std::exchange(due_, std::nullopt);
        lock.unlock();
        write();
        lock.lock();
    }
}

} // namespace zorrel::settings
