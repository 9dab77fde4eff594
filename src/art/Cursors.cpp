#include "art/Cursors.h"

#include "art/Layout.h"
#include "art/Pictures.h"
#include "platform/Platform.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cmath>

namespace zorrel::art {
namespace {

QCursor renderCursor(const QString &path, QPoint logicalHotSpot, qreal ratio)
{
    const QSize size(layout::kCursorSize, layout::kCursorSize);
    const QPoint hot = cursorHotSpot(logicalHotSpot, ratio, platform::cursorHotSpotInImagePixels());
    return QCursor(
        QPixmap::fromImage(artPicture(path, size, ratio, kOverlayFormat, kOverlayBackground)),
        hot.x(), hot.y());
}

qreal primaryScreenRatio()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->devicePixelRatio() : 1.0;
}

} // namespace

QPoint cursorHotSpot(QPoint logical, qreal devicePixelRatio, bool hotSpotInImagePixels)
{
    if (!hotSpotInImagePixels)
        return logical;
    return {static_cast<int>(std::floor(logical.x() * devicePixelRatio)),
            static_cast<int>(std::floor(logical.y() * devicePixelRatio))};
}

QCursor handCursor(HandCursor which, qreal devicePixelRatio)
{
    const QString path = which == HandCursor::Open ? QStringLiteral(":/art/hand_open.svg")
                                                   : QStringLiteral(":/art/hand_grab.svg");
    return renderCursor(path, layout::kHandHotSpot, devicePixelRatio);
}

QCursor pointingHandCursor(qreal devicePixelRatio)
{
    return renderCursor(QStringLiteral(":/art/hand_point.svg"), layout::kPointingHotSpot,
                        devicePixelRatio);
}

QCursor pointingHandCursor() { return pointingHandCursor(primaryScreenRatio()); }

} // namespace zorrel::art
