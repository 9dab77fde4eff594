#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace zorrel::settings {

// Runs writes one at a time on a thread of its own, so that the caller never
// waits for a file, its lock or the disk. Only the newest write matters: one
// overtaken by a newer before it began is dropped. The thread starts with
// the first write and ends with the object, after the writes still due.
class LatestWriter {
  public:
    LatestWriter() = default;
    ~LatestWriter();
    LatestWriter(const LatestWriter &) = delete;
    LatestWriter &operator=(const LatestWriter &) = delete;

    // Returns at once; `write` runs on the writer's thread.
    void post(std::function<void()> write);

  private:
    void serve();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::optional<std::function<void()>> due_;
    bool ending_ = false;
    std::thread thread_;
};

} // namespace zorrel::settings
