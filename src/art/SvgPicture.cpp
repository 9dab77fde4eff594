#include "art/SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

namespace zorrel::art {

QImage renderSvg(QSvgRenderer &renderer, QSize logicalSize, qreal devicePixelRatio,
                 QImage::Format format, const QColor &background)
{
    QImage image(logicalSize * devicePixelRatio, format);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(background);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(logicalSize)));
    return image;
}

QImage renderSvgFile(const QString &path, QSize logicalSize, qreal devicePixelRatio,
                     QImage::Format format, const QColor &background)
{
    QSvgRenderer renderer(path);
    return renderSvg(renderer, logicalSize, devicePixelRatio, format, background);
}

} // namespace zorrel::art
