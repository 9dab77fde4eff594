#pragma once

#include "art/Frames.h"
#include "shape/Pose.h"

namespace zorrel::toy {

using art::HandCursor;

// A point on the desktop, or a distance, in logical pixels.
struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint &, const PixelPoint &) = default;
};

// The pointer buttons the toy tells apart.
enum class Button { Left, Right, Middle };

// The buttons held during a pointer move.
struct HeldButtons {
    bool left = false;
    bool right = false;
    bool middle = false;
};

// What the toy's clockwork asks of its window. Positions are those of the
// window's top-left corner, in logical pixels of the desktop.
class ToyWindow {
  public:
    virtual ~ToyWindow() = default;

    virtual void setSize(int width, int height) = 0;
    // 0 stops the timer; any other value makes it tick at about that period.
    virtual void setTimerInterval(int milliseconds) = 0;
    // The pose in the toy's state changed: its picture and outline show next.
    virtual void showPose(const shape::Pose &pose) = 0;
    virtual void setHandCursor(HandCursor cursor) = 0;

    [[nodiscard]] virtual PixelPoint position() const = 0;
    virtual void moveTo(PixelPoint position) = 0;
    // Left edge of the run of screens the toy can walk along.
    [[nodiscard]] virtual int desktopLeft() const = 0;

    // Returns once the menu has closed and any chosen command has run.
    virtual void showPopupMenu() = 0;
    // Pointer input to the window; the about box switches it off while open.
    virtual void setInputEnabled(bool enabled) = 0;
};

} // namespace zorrel::toy
