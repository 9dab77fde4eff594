#include "platform/wayland/PictureDamage.h"

#include <QRectF>

#include <cmath>

namespace zorrel::platform::wayland {
namespace {

// The device pixels a logical rectangle touches.
QRect devicePixels(const QRect &logical, double scale)
{
    const QRectF scaled(logical.x() * scale, logical.y() * scale, logical.width() * scale,
                        logical.height() * scale);
    return scaled.toAlignedRect();
}

} // namespace

QRegion changedArea(const PictureMark &was, const PictureMark &now)
{
    const QRect whole(QPoint(), now.size);
    if (was.size != now.size || was.scale != now.scale || was.layers.size() != now.layers.size())
        return whole;
    QRegion changed = was.outline.xored(now.outline);
    for (std::size_t i = 0; i < now.layers.size(); ++i) {
        if (was.layers[i] == now.layers[i])
            continue;
        changed += devicePixels(was.layers[i].place, now.scale);
        changed += devicePixels(now.layers[i].place, now.scale);
    }
    return changed & whole;
}

QSize bufferSize(QSize logical, double scale)
{
    return {static_cast<int>(std::lround(logical.width() * scale)),
            static_cast<int>(std::lround(logical.height() * scale))};
}

} // namespace zorrel::platform::wayland
