#pragma once

#include "shape/OutlinePoint.h"

#include <cstdint>
#include <span>

namespace zorrel::shape {

// One outline: the frame number it belongs to and its corners.
struct OutlineRow {
    std::int16_t row;
    std::span<const OutlinePoint> points;
};

using OutlineTable = std::span<const OutlineRow>;

extern const OutlineTable kHeadOutlines;     // rows 0..4, by head frame
extern const OutlineTable kBodyOutlines;     // a single row, 0
extern const OutlineTable kKeyOutlines;      // rows 0..6, by key frame
extern const OutlineTable kKeyHoleAOutlines; // rows 0, 1 and 6 only
extern const OutlineTable kKeyHoleBOutlines; // rows 0, 1 and 6 only
extern const OutlineTable kLegsOutlines;     // rows 0..10, by legs frame
extern const OutlineTable kLegsGapOutlines;  // rows 0..10, by legs frame

} // namespace zorrel::shape
