#pragma once

#include "shape/OutlinePoint.h"

#include <array>
#include <cstdint>
#include <string>

namespace zorrel::toy {

// Flags are 16-bit integers, true = -1, false = 0; any non-zero value tests
// true. Kept this way so the state reads exactly as the toy's record.
using Flag = std::int16_t;
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;

inline constexpr int kOutlineCapacity = 49;

// Handle of a region held by shape::RegionTable; 0 names no region.
using RegionHandle = std::int32_t;

// Everything the toy window carries from one event to the next. Created
// zeroed; Form_Load gives the fields their start-up values.
struct ToyState {
    float GrabX = 0.0F;
    float GrabY = 0.0F;
    std::int16_t PointCount = 0;
    std::array<shape::OutlinePoint, kOutlineCapacity> OutlinePoints{};
    RegionHandle ShapeRegion = 0;
    RegionHandle PartRegion = 0;
    std::int16_t LegFrame = 0;
    Flag Dragging = kFalse;
    Flag JustWound = kFalse;
    std::int16_t WindLevel = 0;
    Flag HeadShaking = kFalse;
    std::int16_t HeadFrame = 0;
    std::int16_t HeadSeqPos = 0;
    std::string HeadSequence;
    std::int16_t KeyFrame = 0;
    std::int16_t WindTicks = 0;

    friend bool operator==(const ToyState &, const ToyState &) = default;
};

} // namespace zorrel::toy
