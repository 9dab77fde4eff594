#include "platform/wayland/WaylandCursor.h"

#include "platform/Platform.h"
#include "platform/wayland/WaylandDisplay.h"

#include <QPainter>
#include <QPixmap>

#include <viewporter-client-protocol.h>
#include <wayland-client.h>

#include <cmath>

namespace zorrel::platform::wayland {
namespace {

constexpr double kHair = 1e-6;

} // namespace

WaylandCursor::WaylandCursor(WaylandDisplay &display)
    : display_(display), surface_(wl_compositor_create_surface(display.compositor()))
{
    if (display.viewporter() != nullptr)
        viewport_ = wp_viewporter_get_viewport(display.viewporter(), surface_);
}

WaylandCursor::~WaylandCursor()
{
    if (WaylandPointer *pointer = display_.pointer())
        pointer->setCursor(nullptr, {});
    if (viewport_ != nullptr)
        wp_viewport_destroy(viewport_);
    wl_surface_destroy(surface_);
}

void WaylandCursor::show(const QCursor &cursor)
{
    WaylandPointer *pointer = display_.pointer();
    const QPixmap picture = cursor.pixmap();
    if (pointer == nullptr || picture.isNull())
        return;
    std::erase_if(buffers_, [](const auto &buffer) { return !buffer->busy(); });
    auto buffer = ShmBuffer::make(display_.shm(), picture.size());
    if (buffer == nullptr)
        return;
    buffer->image().fill(Qt::transparent);
    {
        QPainter painter(&buffer->image());
        painter.drawImage(0, 0, picture.toImage());
    }
    // The compositor draws the cursor at its logical size; at a whole ratio
    // the buffer's scale says so, at a fractional one a viewport.
    const double ratio = picture.devicePixelRatio();
    const QSize logical(static_cast<int>(std::lround(picture.width() / ratio)),
                        static_cast<int>(std::lround(picture.height() / ratio)));
    const bool whole = ratio == std::floor(ratio) &&
                       picture.width() % static_cast<int>(ratio) == 0 &&
                       picture.height() % static_cast<int>(ratio) == 0;
    wl_surface_set_buffer_scale(surface_, whole ? static_cast<int>(ratio) : 1);
    if (viewport_ != nullptr) {
        if (whole)
            wp_viewport_set_destination(viewport_, -1, -1);
        else
            wp_viewport_set_destination(viewport_, logical.width(), logical.height());
    }
    wl_surface_attach(surface_, buffer->buffer(), 0, 0);
    wl_surface_damage_buffer(surface_, 0, 0, picture.width(), picture.height());
    wl_surface_commit(surface_);
    buffer->attached();
    buffers_.push_back(std::move(buffer));
    // Qt on X11 keeps the hot spot in the image's pixels, made from the
    // logical one rounded down; at a ratio of 1 or more the logical pixel
    // is the next whole one up (less a hair for the division's error).
    QPoint hotSpot = cursor.hotSpot();
    if (cursorHotSpotInImagePixels()) {
        const auto logical = [ratio](int pixels) {
            return static_cast<int>(std::ceil(pixels / ratio - kHair));
        };
        hotSpot = QPoint(logical(hotSpot.x()), logical(hotSpot.y()));
    }
    pointer->setCursor(surface_, hotSpot);
}

} // namespace zorrel::platform::wayland
