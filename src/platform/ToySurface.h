#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>

#include <memory>

class QPainter;
class QWidget;

namespace zorrel::platform {

// How the toy window reaches the screen: its place, its outline and its
// picture. The portable surface goes through Qt (move, setMask, repaint);
// a window-system surface may hand each to the server directly, because
// the toy changes all three up to sixty times a second.
class ToySurface {
  public:
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
    // anybody else (the window manager, the user) is taken as it comes.
    [[nodiscard]] virtual QPoint position() const = 0;

    // Cuts the window to `region`, in device pixels of the client area.
    virtual void setShape(const QRegion &region) = 0;
    // The whole client area's picture, at the device-pixel ratio.
    virtual void setPicture(const QImage &picture) = 0;
    // Draws the picture from the widget's paint event, where the surface
    // leaves painting to Qt.
    virtual void paint(QPainter &painter) = 0;
};

// The best surface for `window` on the running platform.
std::unique_ptr<ToySurface> makeToySurface(QWidget &window);

// The surface that does everything through Qt; works on every platform.
std::unique_ptr<ToySurface> makeQtToySurface(QWidget &window);

} // namespace zorrel::platform
