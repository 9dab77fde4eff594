#pragma once

#include <QCursor>
#include <QPixmap>
#include <QPoint>
#include <QRegion>

#include <functional>
#include <memory>
#include <span>

class QPainter;
class QWidget;

namespace zorrel::platform {

// How the toy window reaches the screen: its place, its outline and its
// picture. The portable surface goes through Qt (move, setMask, repaint);
// a window-system surface may hand each to the server directly, because
// the toy changes all three up to sixty times a second.
class ToySurface {
  public:
    // One picture of a part, at `at` in logical pixels of the client area.
    // The layer holds its own reference to the picture (QPixmap is shared,
    // so the copy is free): a surface may keep it past the call, however the
    // caller's pictures change. A picture keeps its cacheKey, so a surface
    // may keep a copy of it with the window system.
    struct Layer {
        QPixmap picture;
        QPoint at;
    };

    virtual ~ToySurface() = default;

    // Before the window is first shown: the window manager's manners (no
    // keyboard focus, on every workspace, off the task bar and pager).
    virtual void prepare() = 0;
    // Right after the first show, for what only a mapped window can take.
    virtual void shown() = 0;

    // Moves the client area's top-left corner to `clientPos`, in logical
    // desktop pixels.
    virtual void move(QPoint clientPos) = 0;
    // Where the client area is: the last place the window system reported,
    // or the last move asked for while that is still on its way. A move by
    // anybody else (the window manager, the user) is taken as it comes. A
    // surface may ask the window system once per flush.
    [[nodiscard]] virtual QPoint position() const = 0;
    // The device-pixel ratio of the screen that shows most of the toy: the
    // scale its pictures, outline and cursors are made at.
    [[nodiscard]] virtual qreal deviceRatio() const = 0;
    // `changed` runs whenever deviceRatio() may have changed: the toy went
    // to another screen, or its screen's scale changed.
    virtual void onRatioChanged(std::function<void()> changed) = 0;
    // The pointer's shape over the toy.
    virtual void setCursor(const QCursor &cursor) = 0;

    // Cuts the window to `region`, in device pixels of the client area.
    virtual void setShape(const QRegion &region) = 0;
    // The client area's picture: `layers` drawn back to front over the window's
    // background colour (its palette's Window).
    virtual void setLayers(std::span<const Layer> layers) = 0;
    // Draws the picture from the widget's paint event, where the surface
    // leaves painting to Qt.
    virtual void paint(QPainter &painter) = 0;
    // Sends what the calls since the last flush asked for; once per event.
    virtual void flush() = 0;
};

// The best surface for `window` on the running platform.
std::unique_ptr<ToySurface> makeToySurface(QWidget &window);

// The surface that does everything through Qt; works on every platform.
std::unique_ptr<ToySurface> makeQtToySurface(QWidget &window);

} // namespace zorrel::platform
