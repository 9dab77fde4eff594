#include "platform/wayland/WaylandPointer.h"

#include <wayland-client.h>

#include <linux/input-event-codes.h>

namespace zorrel::platform::wayland {
namespace {

Qt::MouseButton qtButton(std::uint32_t code)
{
    switch (code) {
    case BTN_LEFT:
        return Qt::LeftButton;
    case BTN_RIGHT:
        return Qt::RightButton;
    case BTN_MIDDLE:
        return Qt::MiddleButton;
    default:
        return Qt::NoButton;
    }
}

QPointF point(wl_fixed_t x, wl_fixed_t y) { return {wl_fixed_to_double(x), wl_fixed_to_double(y)}; }

void ignore() {}

const wl_pointer_listener kPointerListener = {
    .enter =
        [](void *data, wl_pointer * /*pointer*/, std::uint32_t serial, wl_surface *surface,
           wl_fixed_t x, wl_fixed_t y) {
            static_cast<WaylandPointer *>(data)->entered(serial, surface, point(x, y));
        },
    .leave = [](void *data, wl_pointer * /*pointer*/, std::uint32_t /*serial*/,
                wl_surface *surface) { static_cast<WaylandPointer *>(data)->left(surface); },
    .motion = [](void *data, wl_pointer * /*pointer*/, std::uint32_t /*time*/, wl_fixed_t x,
                 wl_fixed_t y) { static_cast<WaylandPointer *>(data)->moved(point(x, y)); },
    .button =
        [](void *data, wl_pointer * /*pointer*/, std::uint32_t /*serial*/, std::uint32_t /*time*/,
           std::uint32_t code, std::uint32_t state) {
            static_cast<WaylandPointer *>(data)->button(code,
                                                        state == WL_POINTER_BUTTON_STATE_PRESSED);
        },
    .axis = [](void * /*data*/, wl_pointer * /*pointer*/, std::uint32_t /*time*/,
               std::uint32_t /*axis*/, wl_fixed_t /*value*/) { ignore(); },
    .frame = [](void * /*data*/, wl_pointer * /*pointer*/) { ignore(); },
    .axis_source = [](void * /*data*/, wl_pointer * /*pointer*/,
                      std::uint32_t /*source*/) { ignore(); },
    .axis_stop = [](void * /*data*/, wl_pointer * /*pointer*/, std::uint32_t /*time*/,
                    std::uint32_t /*axis*/) { ignore(); },
    .axis_discrete = [](void * /*data*/, wl_pointer * /*pointer*/, std::uint32_t /*axis*/,
                        std::int32_t /*discrete*/) { ignore(); },
    .axis_value120 = [](void * /*data*/, wl_pointer * /*pointer*/, std::uint32_t /*axis*/,
                        std::int32_t /*value120*/) { ignore(); },
};

const wl_seat_listener kSeatListener = {
    .capabilities =
        [](void *data, wl_seat *seat, std::uint32_t capabilities) {
            static_cast<WaylandPointer *>(data)->capabilities(seat, capabilities);
        },
    .name = [](void * /*data*/, wl_seat * /*seat*/, const char * /*name*/) { ignore(); },
};

} // namespace

WaylandPointer::WaylandPointer(wl_seat *seat) : seat_(seat)
{
    wl_seat_add_listener(seat_, &kSeatListener, this);
}

WaylandPointer::~WaylandPointer()
{
    if (pointer_ != nullptr)
        wl_pointer_release(pointer_);
    wl_seat_destroy(seat_);
}

void WaylandPointer::capabilities(wl_seat *seat, std::uint32_t capabilities)
{
    const bool hasPointer = (capabilities & WL_SEAT_CAPABILITY_POINTER) != 0;
    if (hasPointer && pointer_ == nullptr) {
        pointer_ = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(pointer_, &kPointerListener, this);
    } else if (!hasPointer && pointer_ != nullptr) {
        wl_pointer_release(pointer_);
        pointer_ = nullptr;
        over_ = nullptr;
        buttons_ = {};
    }
}

void WaylandPointer::setCursor(wl_surface *cursor, QPoint hotSpot)
{
    cursor_ = cursor;
    hotSpot_ = hotSpot;
    if (pointer_ != nullptr && over_ != nullptr && cursor_ != nullptr)
        wl_pointer_set_cursor(pointer_, enterSerial_, cursor_, hotSpot_.x(), hotSpot_.y());
}

void WaylandPointer::entered(std::uint32_t serial, wl_surface *surface, QPointF at)
{
    over_ = surface;
    enterSerial_ = serial;
    buttons_ = {};
    if (over_ == nullptr)
        return;
    if (cursor_ != nullptr)
        wl_pointer_set_cursor(pointer_, serial, cursor_, hotSpot_.x(), hotSpot_.y());
    moved(at);
}

void WaylandPointer::left(wl_surface *surface)
{
    if (surface != over_)
        return;
    over_ = nullptr;
    buttons_ = {};
}

void WaylandPointer::moved(QPointF at)
{
    if (over_ == nullptr)
        return;
    at_ = at;
    if (handler_)
        handler_(over_, {PointerEvent::Kind::Move, at_, Qt::NoButton, buttons_});
}

void WaylandPointer::button(std::uint32_t code, bool pressed)
{
    const Qt::MouseButton which = qtButton(code);
    if (over_ == nullptr || which == Qt::NoButton)
        return;
    buttons_.setFlag(which, pressed);
    if (handler_)
        handler_(over_, {pressed ? PointerEvent::Kind::Press : PointerEvent::Kind::Release, at_,
                         which, buttons_});
}

} // namespace zorrel::platform::wayland
