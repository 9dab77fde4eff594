#include "platform/x11/X11Canvas.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <utility>

namespace zorrel::platform::x11 {
namespace {

// Every frame of one scale, with room to spare.
constexpr std::size_t kKeptPictures = 48;

xcb_rectangle_t toX(const QRect &r)
{
    return {static_cast<std::int16_t>(r.x()), static_cast<std::int16_t>(r.y()),
            static_cast<std::uint16_t>(r.width()), static_cast<std::uint16_t>(r.height())};
}

} // namespace

X11Canvas::X11Canvas(xcb_connection_t *connection) : connection_(connection) {}

X11Canvas::~X11Canvas() { freeAll(); }

void X11Canvas::freeAll()
{
    forgetUploads();
    if (picture_ != 0 && picture_ != background_)
        xcb_free_pixmap(connection_, picture_);
    if (background_ != 0)
        xcb_free_pixmap(connection_, background_);
    picture_ = background_ = 0;
    for (xcb_gcontext_t *gc : {&gc_, &outlineGc_})
        if (*gc != 0)
            xcb_free_gc(connection_, std::exchange(*gc, 0));
}

void X11Canvas::attach(xcb_window_t window, std::uint8_t depth, QRgb background)
{
    freeAll();
    window_ = window;
    depth_ = depth;
    outline_ = QRegion();
    outlineChange_ = QRect();
    // Copies between pixmaps expose nothing: no NoExpose event per copy.
    // Fills are in the background colour (a 24-bit pixel is its RGB), or
    // fully transparent on 32 bits.
    const std::uint32_t values[] = {seeThrough() ? 0 : background & 0xFFFFFFU, 0};
    for (xcb_gcontext_t *gc : {&gc_, &outlineGc_}) {
        *gc = xcb_generate_id(connection_);
        xcb_create_gc(connection_, *gc, window_, XCB_GC_FOREGROUND | XCB_GC_GRAPHICS_EXPOSURES,
                      values);
    }
}

void X11Canvas::setOutline(const QRegion &region, std::span<const xcb_rectangle_t> rectangles)
{
    if (!seeThrough() || outlineGc_ == 0)
        return;
    xcb_set_clip_rectangles(connection_, XCB_CLIP_ORDERING_YX_BANDED, outlineGc_, 0, 0,
                            static_cast<std::uint32_t>(rectangles.size()), rectangles.data());
    // A walking step changes the legs' outline only; the compositor redraws
    // what is cleared, so only that much is.
    outlineChange_ |= (outline_ ^ region).boundingRect();
    outline_ = region;
}

xcb_pixmap_t X11Canvas::newPixmap(QSize size)
{
    const xcb_pixmap_t pixmap = xcb_generate_id(connection_);
    xcb_create_pixmap(connection_, depth_, pixmap, window_,
                      static_cast<std::uint16_t>(size.width()),
                      static_cast<std::uint16_t>(size.height()));
    const xcb_rectangle_t all = toX(QRect(QPoint(), size));
    xcb_poly_fill_rectangle(connection_, pixmap, gc_, 1, &all);
    return pixmap;
}

// Each part's picture is uploaded once and kept by the server, so a tick
// copies only the parts from the first one that changed.
QRect X11Canvas::draw(std::span<const ToySurface::Layer> layers, qreal ratio, QSize size)
{
    if (window_ == 0)
        return {};
    QRect changed;
    if (background_ == 0 || size_ != size) {
        if (picture_ != 0 && picture_ != background_)
            xcb_free_pixmap(connection_, picture_);
        if (background_ != 0)
            xcb_free_pixmap(connection_, background_);
        size_ = size;
        picture_ = newPixmap(size);
        background_ = seeThrough() ? newPixmap(size) : picture_;
        xcb_change_window_attributes(connection_, window_, XCB_CW_BACK_PIXMAP, &background_);
        drawn_.clear();
        changed = QRect(QPoint(), size);
    }
    std::size_t first = 0;
    while (first < layers.size() && first < drawn_.size() &&
           layers[first].picture.cacheKey() == drawn_[first].first &&
           layers[first].at == drawn_[first].second)
        ++first;
    if (first < layers.size() || drawn_.size() != layers.size()) {
        drawn_.resize(first);
        for (std::size_t i = first; i < layers.size(); ++i) {
            const QPixmap &picture = layers[i].picture;
            const QPoint at(static_cast<int>(std::lround(layers[i].at.x() * ratio)),
                            static_cast<int>(std::lround(layers[i].at.y() * ratio)));
            xcb_copy_area(connection_, serverCopy(picture), picture_, gc_, 0, 0,
                          static_cast<std::int16_t>(at.x()), static_cast<std::int16_t>(at.y()),
                          static_cast<std::uint16_t>(picture.width()),
                          static_cast<std::uint16_t>(picture.height()));
            drawn_.emplace_back(picture.cacheKey(), layers[i].at);
            changed |= QRect(at, picture.size());
        }
    }
    if (!seeThrough())
        return changed;
    changed |= std::exchange(outlineChange_, QRect());
    if (!changed.isEmpty()) {
        const xcb_rectangle_t cut = toX(changed);
        xcb_poly_fill_rectangle(connection_, background_, gc_, 1, &cut);
        xcb_copy_area(connection_, picture_, background_, outlineGc_, cut.x, cut.y, cut.x, cut.y,
                      cut.width, cut.height);
    }
    return changed;
}

// The server's copy of `picture`, uploaded on first use.
xcb_pixmap_t X11Canvas::serverCopy(const QPixmap &picture)
{
    const auto known = uploaded_.find(picture.cacheKey());
    if (known != uploaded_.end())
        return known->second;
    if (uploaded_.size() >= kKeptPictures) // pictures of an earlier scale
        forgetUploads();
    // A 32-bit window takes premultiplied alpha; the parts are opaque.
    const QImage image = picture.toImage().convertToFormat(
        seeThrough() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    const xcb_pixmap_t pixmap = xcb_generate_id(connection_);
    xcb_create_pixmap(connection_, depth_, pixmap, window_,
                      static_cast<std::uint16_t>(image.width()),
                      static_cast<std::uint16_t>(image.height()));
    // Rows per request, within the server's request size.
    const std::uint32_t maxBytes = xcb_get_maximum_request_length(connection_) * 4U - 64U;
    const auto rowBytes = static_cast<std::uint32_t>(image.bytesPerLine());
    const int rowsPerPut = std::max(1, static_cast<int>(maxBytes / rowBytes));
    for (int y = 0; y < image.height(); y += rowsPerPut) {
        const int rows = std::min(rowsPerPut, image.height() - y);
        xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc_,
                      static_cast<std::uint16_t>(image.width()), static_cast<std::uint16_t>(rows),
                      0, static_cast<std::int16_t>(y), 0, depth_,
                      rowBytes * static_cast<std::uint32_t>(rows), image.constScanLine(y));
    }
    uploaded_.emplace(picture.cacheKey(), pixmap);
    return pixmap;
}

void X11Canvas::forgetUploads()
{
    for (const auto &[key, pixmap] : uploaded_)
        xcb_free_pixmap(connection_, pixmap);
    uploaded_.clear();
    drawn_.clear();
}

} // namespace zorrel::platform::x11
