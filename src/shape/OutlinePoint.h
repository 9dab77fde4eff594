#pragma once

#include <cstdint>

namespace zorrel::shape {

// One polygon corner in outer-window pixels; laid out like the platform's
// POINT so a buffer of them can be handed on as a polygon.
struct OutlinePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const OutlinePoint &, const OutlinePoint &) = default;
};

} // namespace zorrel::shape
