#include "art/SvgPicture.h"

#include <QPainter>
#include <QSvgRenderer>

#include <atomic>

namespace zorrel::art {
namespace {

std::atomic<std::size_t> drawings{0};

} // namespace

QImage renderSvg(QSvgRenderer &renderer, QSize logicalSize, qreal devicePixelRatio,
                 QImage::Format format, const QColor &background)
{
    ++drawings;
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

std::size_t svgDrawingCount() { return drawings; }

} // namespace zorrel::art
