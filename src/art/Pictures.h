#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace zorrel::art {

// The parts of the toy are drawn opaque over black, as the window shows
// them; cursors and icons over transparency.
inline constexpr QImage::Format kPartFormat = QImage::Format_RGB32;
inline constexpr QRgb kPartBackground = 0xFF000000;
inline constexpr QImage::Format kOverlayFormat = QImage::Format_ARGB32_Premultiplied;
inline constexpr QRgb kOverlayBackground = 0x00000000;

// One picture of the program's art, `path` being its resource path: the
// pixels the build rendered where it rendered this very picture (at ratio 1
// only), else drawn from the vector art now. Either way the same pixels.
QImage artPicture(const QString &path, QSize logicalSize, qreal devicePixelRatio,
                  QImage::Format format, QRgb background);
// A named colour would pass as a small number, not as its QRgb.
QImage artPicture(const QString &, QSize, qreal, QImage::Format, Qt::GlobalColor) = delete;

} // namespace zorrel::art
