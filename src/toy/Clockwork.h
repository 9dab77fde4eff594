#pragma once

#include "common/BuildInfo.h"

#include <cstdint>
#include <string_view>

// The numbers and names that make the toy's clockwork.
namespace zorrel::toy::clockwork {

inline constexpr std::int16_t kWindPerStep = 40;
inline constexpr std::int16_t kWindLimit = 400;
inline constexpr std::int16_t kKeyTurnTicks = 9;
inline constexpr std::string_view kHeadSequence = "12314131413141314131413141210";
inline constexpr std::int16_t kSkipRemainder = 3;

inline constexpr int kStopped = 0;
inline constexpr int kWindingInterval = 1;
inline constexpr int kHeadInterval = 120;

// Walking pace by stored wind: above kBriskAbove ticks every kBriskInterval,
// above kSteadyAbove every kSteadyInterval, otherwise every kSlowInterval.
inline constexpr std::int16_t kBriskAbove = 70;
inline constexpr std::int16_t kSteadyAbove = 30;
inline constexpr int kBriskInterval = 1;
inline constexpr int kSteadyInterval = 50;
inline constexpr int kSlowInterval = 120;

inline constexpr std::int16_t kLastLegsFrame = 10;
inline constexpr std::int16_t kLastKeyFrame = 6;

// The measures of the toy's motion and size were made in twips, 15 to the
// pixel, for a framed window: its client area, the toy's window here, began
// 3 pixels in from its left edge and 22 pixels down, with a 3-pixel border
// below. They are converted to the client area's pixels here and nowhere else.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kFrameSide = 3;
inline constexpr int kFrameTop = 22;

// Twips to whole pixels, as a window position snaps: to the nearest pixel,
// halves away from zero.
constexpr int pixels(int twips)
{
    const int half = kTwipsPerPixel / 2;
    return (twips >= 0 ? twips + half : twips - half) / kTwipsPerPixel;
}

inline constexpr int kWalkStepTwips = 12;
inline constexpr int kLeftLimitTwips = -70; // of the frame, from the desktop's left edge
inline constexpr int kWindowWidthTwips = 1125;
inline constexpr int kWindowHeightTwips = 1815;

// A walking tick moves the window one pixel left.
inline constexpr int kWalkStep = pixels(kWalkStepTwips);
// The client area's left edge never walks further left of the desktop's
// left edge than this.
inline constexpr int kLeftLimit = pixels(kLeftLimitTwips) + kFrameSide;
inline constexpr int kClientWidth = pixels(kWindowWidthTwips) - 2 * kFrameSide;
inline constexpr int kClientHeight = pixels(kWindowHeightTwips) - kFrameTop - kFrameSide;

static_assert(kWalkStep == 1 && kLeftLimit == -2);

// The sound is on at the first run, before anything is stored.
inline constexpr bool kSoundAtFirstRun = true;

inline constexpr std::string_view kWindingClick = build::kWindingClickFile;
inline constexpr std::string_view kFootstep = build::kFootstepFile;

} // namespace zorrel::toy::clockwork
