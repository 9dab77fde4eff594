#pragma once

#include <cstdint>

namespace zorrel::shape {

// One polygon corner in client pixels.
struct OutlinePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const OutlinePoint &, const OutlinePoint &) = default;
};

} // namespace zorrel::shape
