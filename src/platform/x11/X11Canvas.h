#pragma once

#include "platform/ToySurface.h"

#include <QRect>
#include <QRegion>
#include <QSize>

#include <xcb/xcb.h>

#include <cstdint>
#include <map>
#include <span>
#include <utility>
#include <vector>

namespace zorrel::platform::x11 {

// The toy window's background pixmap, which the server paints every exposed
// part of the window from, and the parts' pictures the server keeps.
//
// On a 24-bit window the parts are copied straight into the background. On
// a 32-bit (ARGB) window they are copied into a picture of their own first,
// and the background is that picture cut to the outline, fully transparent
// outside it: compositors that show a window's whole rectangle and ignore
// its X shape then show the desktop around the toy.
class X11Canvas {
  public:
    explicit X11Canvas(xcb_connection_t *connection);
    ~X11Canvas();
    X11Canvas(const X11Canvas &) = delete;
    X11Canvas &operator=(const X11Canvas &) = delete;

    // A native window, made anew or for the first time: what was kept for
    // an earlier one is dropped. `background` is the window's colour behind
    // its parts; a 32-bit window is transparent there instead.
    void attach(xcb_window_t window, std::uint8_t depth, QRgb background);
    [[nodiscard]] bool seeThrough() const { return depth_ == 32; }

    // The outline the transparency follows, in device pixels of the window:
    // `region` as `rectangles`.
    void setOutline(const QRegion &region, std::span<const xcb_rectangle_t> rectangles);
    // Brings the background up to `layers` (back to front, over black or
    // transparency) for a window of `size` device pixels. Returns the part
    // of the window whose background changed, empty if none did.
    QRect draw(std::span<const ToySurface::Layer> layers, qreal ratio, QSize size);

  private:
    xcb_pixmap_t newPixmap(QSize size);
    xcb_pixmap_t serverCopy(const QPixmap &picture);
    void forgetUploads();
    void freeAll();

    xcb_connection_t *connection_;
    xcb_window_t window_ = 0;
    std::uint8_t depth_ = 24;
    xcb_gcontext_t gc_ = 0;
    xcb_gcontext_t outlineGc_ = 0; // clipped to the outline
    QRegion outline_;
    QRect outlineChange_; // where pixels turn opaque or transparent
    xcb_pixmap_t background_ = 0;
    xcb_pixmap_t picture_ = 0; // the parts uncut; the background itself on 24 bits
    QSize size_;
    std::map<qint64, xcb_pixmap_t> uploaded_;      // by QPixmap::cacheKey()
    std::vector<std::pair<qint64, QPoint>> drawn_; // in the picture now
};

} // namespace zorrel::platform::x11
