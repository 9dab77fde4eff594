#pragma once

#include "shape/Pose.h"

#include <cstdint>
#include <string>

namespace zorrel::toy {

// Everything the toy carries from one event to the next. Created zeroed;
// Toy::load gives the fields their start-up values.
struct ToyState {
    float grabX = 0.0F; // pixels, where the left button was pressed
    float grabY = 0.0F;
    std::int16_t legFrame = 0;
    bool dragging = false;
    bool justWound = false;
    std::int16_t windLevel = 0;
    bool headShaking = false;
    std::int16_t headFrame = 0;
    std::int16_t headSeqPos = 0;
    std::string headSequence;
    std::int16_t keyFrame = 0;
    std::int16_t windTicks = 0;
    bool soundOn = false; // the menu's check mark shows it

    [[nodiscard]] shape::Pose pose() const { return {headFrame, legFrame, keyFrame}; }

    friend bool operator==(const ToyState &, const ToyState &) = default;
};

} // namespace zorrel::toy
