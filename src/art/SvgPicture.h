#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include <cstddef>

class QSvgRenderer;

namespace zorrel::art {

// Draws a parsed SVG picture over `background` into an image of
// `logicalSize` times `devicePixelRatio` device pixels, so it stays crisp at
// any ratio. A fractional device size is rounded to the nearest pixel.
QImage renderSvg(QSvgRenderer &renderer, QSize logicalSize, qreal devicePixelRatio,
                 QImage::Format format, const QColor &background);

// The same for a picture file, parsed for this one drawing and dropped again:
// every picture of the program is drawn once per ratio, so keeping parsed
// documents would only hold memory.
QImage renderSvgFile(const QString &path, QSize logicalSize, qreal devicePixelRatio,
                     QImage::Format format, const QColor &background);

// How many pictures have been drawn from SVG so far, on any thread.
std::size_t svgDrawingCount();

} // namespace zorrel::art
