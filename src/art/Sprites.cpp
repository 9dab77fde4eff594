#include "art/Sprites.h"

#include "art/Layout.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>

namespace zorrel::art {
namespace {

QSize frameSize(FrameSet set)
{
    switch (set) {
    case FrameSet::Head:
        return layout::kHeadPic.size();
    case FrameSet::Legs:
        return layout::kBottomPic.size();
    case FrameSet::Key:
        return layout::kKeyPic.size();
    }
    return {};
}

QPixmap toPixmap(const QImage &image) { return QPixmap::fromImage(image); }

template <std::size_t N> void renderSet(std::array<QPixmap, N> &frames, FrameSet set, qreal dpr)
{
    for (std::size_t i = 0; i < N; ++i)
        frames[i] =
            toPixmap(renderPicture(framePath(set, static_cast<int>(i)), frameSize(set), dpr));
}

// Renders an SVG picture at `size` logical pixels on `background`.
QImage renderSvg(const QString &path, QSize size, qreal dpr, QImage::Format format,
                 Qt::GlobalColor background)
{
    QImage image(size * dpr, format);
    image.setDevicePixelRatio(dpr);
    image.fill(background);
    QSvgRenderer renderer(path);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QPixmap renderCursorPixmap(const QString &path, qreal dpr)
{
    const QSize size(layout::kCursorSize, layout::kCursorSize);
    return QPixmap::fromImage(
        renderSvg(path, size, dpr, QImage::Format_ARGB32_Premultiplied, Qt::transparent));
}

qreal screenRatio() { return qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0; }

} // namespace

QString framePath(FrameSet set, int frame)
{
    switch (set) {
    case FrameSet::Head:
        return QStringLiteral(":/art/head%1.svg").arg(frame);
    case FrameSet::Legs:
        return QStringLiteral(":/art/legs%1.svg").arg(frame);
    case FrameSet::Key:
        return QStringLiteral(":/art/key%1.svg").arg(frame);
    }
    return {};
}

QString bodyPath() { return QStringLiteral(":/art/body.svg"); }

QImage renderPicture(const QString &path, QSize logicalSize, qreal devicePixelRatio)
{
    return renderSvg(path, logicalSize, devicePixelRatio, QImage::Format_RGB32, Qt::black);
}

SpriteSet::SpriteSet(qreal devicePixelRatio)
{
    renderSet(head_, FrameSet::Head, devicePixelRatio);
    renderSet(legs_, FrameSet::Legs, devicePixelRatio);
    renderSet(key_, FrameSet::Key, devicePixelRatio);
    body_ = toPixmap(renderPicture(bodyPath(), layout::kBodyPic.size(), devicePixelRatio));
}

const QPixmap &SpriteSet::frame(FrameSet set, int index) const
{
    switch (set) {
    case FrameSet::Head:
        return head_.at(static_cast<std::size_t>(index));
    case FrameSet::Legs:
        return legs_.at(static_cast<std::size_t>(index));
    case FrameSet::Key:
        break;
    }
    return key_.at(static_cast<std::size_t>(index));
}

QCursor handCursor(HandCursor which)
{
    const QString path = which == HandCursor::Open ? QStringLiteral(":/art/hand_open.svg")
                                                   : QStringLiteral(":/art/hand_grab.svg");
    const QPoint hot = layout::kHandHotSpot;
    return QCursor(renderCursorPixmap(path, screenRatio()), hot.x(), hot.y());
}

QCursor pointingHandCursor()
{
    const QPoint hot = layout::kPointingHotSpot;
    return QCursor(renderCursorPixmap(QStringLiteral(":/art/hand_point.svg"), screenRatio()),
                   hot.x(), hot.y());
}

QIcon programIcon() { return QIcon(QStringLiteral(":/art/icon.svg")); }

} // namespace zorrel::art
