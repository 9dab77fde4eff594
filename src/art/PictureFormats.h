#pragma once

#include <QImage>
#include <QRgb>

namespace zorrel::art {

// The parts of the toy are drawn opaque over the window's background, as
// the window shows them; cursors and icons over transparency.
inline constexpr QImage::Format kPartFormat = QImage::Format_RGB32;
inline constexpr QImage::Format kOverlayFormat = QImage::Format_ARGB32_Premultiplied;
inline constexpr QRgb kOverlayBackground = 0x00000000;

} // namespace zorrel::art
