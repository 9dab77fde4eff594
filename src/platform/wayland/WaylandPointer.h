#pragma once

#include <QPointF>
#include <Qt>

#include <cstdint>
#include <functional>
#include <utility>

struct wl_pointer;
struct wl_seat;
struct wl_surface;

namespace zorrel::platform::wayland {

// What the seat's pointer does over one surface, in that surface's logical
// pixels, with the buttons held after the event.
struct PointerEvent {
    enum class Kind { Move, Press, Release };
    Kind kind = Kind::Move;
    QPointF at;
    Qt::MouseButton button = Qt::NoButton;
    Qt::MouseButtons buttons;
};

// The pointer of one seat, heard for one surface.
class WaylandPointer {
  public:
    explicit WaylandPointer(wl_seat *seat);
    ~WaylandPointer();
    WaylandPointer(const WaylandPointer &) = delete;
    WaylandPointer &operator=(const WaylandPointer &) = delete;

    // The surface whose events count, and where they go; others' are ignored.
    void follow(wl_surface *surface, std::function<void(const PointerEvent &)> handler)
    {
        surface_ = surface;
        handler_ = std::move(handler);
        over_ = false;
    }

    // The seat's and the pointer's events.
    void capabilities(wl_seat *seat, std::uint32_t capabilities);
    void entered(wl_surface *surface, QPointF at);
    void left(wl_surface *surface);
    void moved(QPointF at);
    void button(std::uint32_t code, bool pressed);

  private:
    wl_seat *seat_;
    wl_pointer *pointer_ = nullptr;
    wl_surface *surface_ = nullptr;
    bool over_ = false; // the pointer is over the followed surface
    QPointF at_;
    Qt::MouseButtons buttons_;
    std::function<void(const PointerEvent &)> handler_;
};

} // namespace zorrel::platform::wayland
