#pragma once

#include "shape/OutlinePoint.h"

#include <array>
#include <cstdint>

namespace zorrel::shape {

inline constexpr int kOutlineCapacity = 49;

// Handle of a region held by RegionTable; 0 names no region.
using RegionHandle = std::int32_t;

// The frames shown, which choose the outlines.
struct Pose {
    std::int16_t headFrame = 0;
    std::int16_t legFrame = 0;
    std::int16_t keyFrame = 0;
};

// The working storage of the outline composition, kept with the toy's state
// between compositions: the outline last loaded and the regions being built.
struct OutlineBuffer {
    std::int16_t pointCount = 0; // valid entries of `points`
    std::array<OutlinePoint, kOutlineCapacity> points{};
    RegionHandle shapeRegion = 0;
    RegionHandle partRegion = 0;

    friend bool operator==(const OutlineBuffer &, const OutlineBuffer &) = default;
};

} // namespace zorrel::shape
