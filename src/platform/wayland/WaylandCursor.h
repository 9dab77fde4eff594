#pragma once

#include "platform/wayland/ShmBuffer.h"

#include <QCursor>

#include <memory>
#include <vector>

struct wl_surface;
struct wp_viewport;

namespace zorrel::platform::wayland {

class WaylandDisplay;

// The pointer's picture over the toy: a surface of the toy's connection
// holding a cursor's pixmap at its own device-pixel ratio, which the seat's
// pointer shows on every enter.
class WaylandCursor {
  public:
    explicit WaylandCursor(WaylandDisplay &display);
    ~WaylandCursor();
    WaylandCursor(const WaylandCursor &) = delete;
    WaylandCursor &operator=(const WaylandCursor &) = delete;

    // Shows `cursor` from now on. A cursor without a pixmap (one of Qt's
    // shapes) leaves the compositor's picture as it is.
    void show(const QCursor &cursor);

  private:
    WaylandDisplay &display_;
    wl_surface *surface_ = nullptr;
    wp_viewport *viewport_ = nullptr;
    // The picture shown, and those the compositor still reads.
    std::vector<std::unique_ptr<ShmBuffer>> buffers_;
};

} // namespace zorrel::platform::wayland
