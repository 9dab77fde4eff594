#pragma once

#include "art/PictureFormats.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace zorrel::art {

// One picture of the program's art, `path` being its resource path: the
// pixels the build rendered where it rendered this very picture (at ratio 1
// only), else drawn from the vector art now. Either way the same pixels.
QImage artPicture(const QString &path, QSize logicalSize, qreal devicePixelRatio,
                  QImage::Format format, QRgb background);
// A named colour would pass as a small number, not as its QRgb.
QImage artPicture(const QString &, QSize, qreal, QImage::Format, Qt::GlobalColor) = delete;

} // namespace zorrel::art
