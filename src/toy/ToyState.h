#pragma once

#include "shape/OutlineBuffer.h"

#include <cstdint>
#include <string>

namespace zorrel::toy {

// Flags are 16-bit integers, true = -1, false = 0; any non-zero value tests
// true. Kept this way so the state reads exactly as the toy's record.
using Flag = std::int16_t;
inline constexpr Flag kTrue = -1;
inline constexpr Flag kFalse = 0;

// Everything the toy window carries from one event to the next. Created
// zeroed; Toy::load gives the fields their start-up values.
struct ToyState {
    float grabX = 0.0F; // twips, where the left button was pressed
    float grabY = 0.0F;
    shape::OutlineBuffer outline; // rewritten by every shape composition
    std::int16_t legFrame = 0;
    Flag dragging = kFalse;
    Flag justWound = kFalse;
    std::int16_t windLevel = 0;
    Flag headShaking = kFalse;
    std::int16_t headFrame = 0;
    std::int16_t headSeqPos = 0;
    std::string headSequence;
    std::int16_t keyFrame = 0;
    std::int16_t windTicks = 0;

    [[nodiscard]] shape::Pose pose() const { return {headFrame, legFrame, keyFrame}; }

    friend bool operator==(const ToyState &, const ToyState &) = default;
};

} // namespace zorrel::toy
