#pragma once

#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QSize>

#include <cstdint>
#include <vector>

// What one picture of the toy is made of, so that a buffer that held an
// older one is redrawn, and the compositor told, only where they differ.
namespace zorrel::platform::wayland {

// One layer: which picture (its cacheKey) stands where, in logical pixels.
struct LayerMark {
    std::int64_t picture = 0;
    QRect place;
    friend bool operator==(const LayerMark &, const LayerMark &) = default;
};

// The whole picture in a buffer of `size` device pixels at `scale` device
// pixels per logical one, cut to `outline` (device pixels).
struct PictureMark {
    std::vector<LayerMark> layers;
    QRegion outline;
    QSize size;
    double scale = 1;
    friend bool operator==(const PictureMark &, const PictureMark &) = default;
};

// Where a buffer holding `was` must be redrawn to hold `now`, in device
// pixels of `now`: the places, old and new, of each layer that changed,
// and what the outline gained or lost. All of it when the size, the scale
// or the number of layers differ.
QRegion changedArea(const PictureMark &was, const PictureMark &now);

// The buffer for `logical` pixels at `scale`: whole device pixels, rounded
// as the compositor rounds a viewport's.
QSize bufferSize(QSize logical, double scale);

} // namespace zorrel::platform::wayland
