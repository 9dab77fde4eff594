#include "art/Pictures.h"

#include "art/PrerenderedPictures.h"
#include "art/SvgPicture.h"

namespace zorrel::art {

QImage artPicture(const QString &path, QSize logicalSize, qreal devicePixelRatio,
                  QImage::Format format, QRgb background)
{
    if (devicePixelRatio == 1.0)
        for (const PrerenderedPicture &picture : prerenderedPictures())
            if (picture.size == logicalSize && picture.format == format &&
                picture.background == background && path == QLatin1String(picture.path))
                // Read-only over the table: whoever keeps it makes a copy.
                return {reinterpret_cast<const uchar *>(picture.pixels), picture.size.width(),
                        picture.size.height(), picture.size.width() * qsizetype{4}, picture.format};
    return renderSvgFile(path, logicalSize, devicePixelRatio, format, QColor::fromRgba(background));
}

} // namespace zorrel::art
