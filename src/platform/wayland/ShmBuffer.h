#pragma once

#include <QImage>
#include <QSize>

#include <memory>

struct wl_buffer;
struct wl_shm;

namespace zorrel::platform::wayland {

// One ARGB picture in memory shared with the compositor. The compositor
// reads it from the commit that attaches it until it releases it; till
// then it must not be drawn into or freed.
class ShmBuffer {
  public:
    // Null when the memory cannot be had.
    static std::unique_ptr<ShmBuffer> make(wl_shm *shm, QSize size);
    ~ShmBuffer();
    ShmBuffer(const ShmBuffer &) = delete;
    ShmBuffer &operator=(const ShmBuffer &) = delete;

    [[nodiscard]] wl_buffer *buffer() const { return buffer_; }
    // Premultiplied ARGB, the byte order of WL_SHM_FORMAT_ARGB8888.
    [[nodiscard]] QImage &image() { return image_; }
    [[nodiscard]] QSize size() const { return image_.size(); }

    // Between attach and the compositor's release.
    [[nodiscard]] bool busy() const { return busy_; }
    void attached() { busy_ = true; }
    // Called when the compositor lets go of a buffer.
    void onRelease(void (*handler)(void *), void *data);
    // The compositor's release.
    void released();

  private:
    ShmBuffer() = default;

    wl_buffer *buffer_ = nullptr;
    void *memory_ = nullptr;
    std::size_t bytes_ = 0;
    QImage image_;
    bool busy_ = false;
    void (*released_)(void *) = nullptr;
    void *releasedData_ = nullptr;
};

} // namespace zorrel::platform::wayland
