#pragma once

#include <cstdint>

namespace zorrel::shape {

// The frames shown, which choose the outlines.
struct Pose {
    std::int16_t headFrame = 0;
    std::int16_t legFrame = 0;
    std::int16_t keyFrame = 0;

    friend bool operator==(const Pose &, const Pose &) = default;
};

} // namespace zorrel::shape
