#pragma once

#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>

#include <array>

// Where everything sits in the toy window, in logical pixels of its client
// area.
namespace zorrel::art::layout {

// The colour behind the parts, where the outline shows any of it.
inline constexpr QRgb kBackground = 0xFF000000;

// Part images, listed back to front: later entries are drawn over earlier
// ones. The key overlaps the legs and is in front of them.
inline constexpr QRect kHeadPic{0, 0, 69, 55};
inline constexpr QRect kBodyPic{10, 55, 39, 17};
inline constexpr QRect kBottomPic{2, 72, 53, 24};
inline constexpr QRect kKeyPic{49, 55, 19, 26};

inline constexpr int kHeadFrames = 5;
inline constexpr int kLegsFrames = 11;
inline constexpr int kKeyFrames = 7;

// Cursor pictures are kCursorSize logical pixels square; their hot spots are
// points of the picture in the same logical pixels, at any device-pixel ratio.
inline constexpr QPoint kHandHotSpot{3, 2};     // open and grabbing hand
inline constexpr QPoint kPointingHotSpot{5, 1}; // links of the about box
inline constexpr int kCursorSize = 32;
inline constexpr int kIconSize = 32;
// The window icon's sides on a screen of ratio 1; kIconSize times the
// ratio joins them on other screens.
inline constexpr std::array<int, 3> kIconSides{16, kIconSize, 48};

} // namespace zorrel::art::layout
