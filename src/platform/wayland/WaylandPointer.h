#pragma once

#include <QPoint>
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

// The pointer of one seat, over the surfaces of one connection.
class WaylandPointer {
  public:
    explicit WaylandPointer(wl_seat *seat);
    ~WaylandPointer();
    WaylandPointer(const WaylandPointer &) = delete;
    WaylandPointer &operator=(const WaylandPointer &) = delete;

    // Where the events go, with the surface they came from. A gesture's
    // events all come from the surface it began on, however the pointer
    // moves, until its last button is up.
    void listen(std::function<void(wl_surface *, const PointerEvent &)> handler)
    {
        handler_ = std::move(handler);
    }
    // Whether a button is held over `surface`: it keeps the pointer's
    // events till the last one is up.
    [[nodiscard]] bool holds(wl_surface *surface) const
    {
        return surface != nullptr && surface == over_ && buttons_ != Qt::NoButton;
    }
    // Where the pointer last was over the surface it is over, and the
    // buttons held there.
    [[nodiscard]] QPointF at() const { return at_; }
    [[nodiscard]] Qt::MouseButtons buttons() const { return buttons_; }

    // The pointer's picture over this connection's surfaces: `cursor`'s
    // picture, hot at `hotSpot` in its logical pixels. Set on every enter,
    // and at once if the pointer is over one of them; with none, the
    // compositor's picture stays.
    void setCursor(wl_surface *cursor, QPoint hotSpot);

    // The seat's and the pointer's events; left() also forgets a surface
    // about to be destroyed.
    void capabilities(wl_seat *seat, std::uint32_t capabilities);
    void entered(std::uint32_t serial, wl_surface *surface, QPointF at);
    void left(wl_surface *surface);
    void moved(QPointF at);
    void button(std::uint32_t code, bool pressed);

  private:
    wl_seat *seat_;
    wl_pointer *pointer_ = nullptr;
    wl_surface *over_ = nullptr; // the surface the pointer is over
    std::uint32_t enterSerial_ = 0;
    wl_surface *cursor_ = nullptr;
    QPoint hotSpot_;
    QPointF at_;
    Qt::MouseButtons buttons_;
    std::function<void(wl_surface *, const PointerEvent &)> handler_;
};

} // namespace zorrel::platform::wayland
