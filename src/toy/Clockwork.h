#pragma once

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

inline constexpr float kWalkStep = 12.0F;   // twips per walking tick
inline constexpr float kLeftLimit = -70.0F; // twips from the desktop's left edge

inline constexpr std::int16_t kLastLegsFrame = 10;
inline constexpr std::int16_t kLastKeyFrame = 6;

inline constexpr float kWindowWidth = 1125.0F;  // twips, outer window
inline constexpr float kWindowHeight = 1815.0F; // twips, outer window
inline constexpr unsigned kBlack = 0x000000;

inline constexpr std::string_view kWindingClick = "Korrin0.wav";
inline constexpr std::string_view kFootstep = "Korrin1.wav";

// Pointer buttons as the gesture handlers receive them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

} // namespace zorrel::toy::clockwork
