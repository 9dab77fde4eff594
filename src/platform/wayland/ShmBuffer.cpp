#include "platform/wayland/ShmBuffer.h"

#include <wayland-client.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace zorrel::platform::wayland {
namespace {

const wl_buffer_listener kBufferListener = {
    .release = [](void *data,
                  wl_buffer * /*buffer*/) { static_cast<ShmBuffer *>(data)->released(); },
};

} // namespace

std::unique_ptr<ShmBuffer> ShmBuffer::make(wl_shm *shm, QSize size)
{
    if (size.isEmpty())
        return nullptr;
    const int stride = size.width() * 4;
    const std::size_t bytes = static_cast<std::size_t>(stride) * size.height();
    // Anonymous memory: nothing of it stays behind, however the program ends.
    const int fd = memfd_create("zorrel-picture", MFD_CLOEXEC);
    if (fd < 0)
        return nullptr;
    void *memory = MAP_FAILED;
    if (ftruncate(fd, static_cast<off_t>(bytes)) == 0)
        memory = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    std::unique_ptr<ShmBuffer> self(new ShmBuffer);
    self->memory_ = memory;
    self->bytes_ = bytes;
    wl_shm_pool *pool = wl_shm_create_pool(shm, fd, static_cast<std::int32_t>(bytes));
    self->buffer_ = wl_shm_pool_create_buffer(pool, 0, size.width(), size.height(), stride,
                                              WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    wl_buffer_add_listener(self->buffer_, &kBufferListener, self.get());
    self->image_ = QImage(static_cast<uchar *>(memory), size.width(), size.height(), stride,
                          QImage::Format_ARGB32_Premultiplied);
    return self;
}

ShmBuffer::~ShmBuffer()
{
    image_ = QImage();
    if (buffer_ != nullptr)
        wl_buffer_destroy(buffer_);
    if (memory_ != nullptr)
        munmap(memory_, bytes_);
}

void ShmBuffer::onRelease(void (*handler)(void *), void *data)
{
    released_ = handler;
    releasedData_ = data;
}

void ShmBuffer::released()
{
    busy_ = false;
    if (released_ != nullptr)
        released_(releasedData_);
}

} // namespace zorrel::platform::wayland
