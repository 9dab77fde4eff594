#include "platform/qt/OwnScreen.h"

#include "platform/OutputLayout.h"

#include <QGuiApplication>

#include <vector>

namespace zorrel::platform {

OwnScreen::OwnScreen(std::function<QRect()> toy) : toy_(std::move(toy))
{
    for (QScreen *screen : QGuiApplication::screens())
        watch(screen);
    connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen *screen) {
        watch(screen);
        checkLater();
    });
    // Qt drops the screen from its list only after this signal.
    connect(qGuiApp, &QGuiApplication::screenRemoved, this, &OwnScreen::checkLater);
    check();
}

void OwnScreen::watch(QScreen *screen)
{
    // Qt has no signal of its own for a new device-pixel ratio; the X
    // server's dots per inch, which it follows, come with one.
    connect(screen, &QScreen::geometryChanged, this, &OwnScreen::checkLater);
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, &OwnScreen::checkLater);
    connect(screen, &QScreen::physicalDotsPerInchChanged, this, &OwnScreen::checkLater);
}

void OwnScreen::checkLater()
{
    QMetaObject::invokeMethod(this, &OwnScreen::check, Qt::QueuedConnection);
}

void OwnScreen::check()
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    std::vector<QRect> places;
    places.reserve(static_cast<std::size_t>(screens.size()));
    for (const QScreen *screen : screens)
        places.push_back(screen->geometry());
    const int own = ownOutput(toy_(), places);
    QScreen *screen = own >= 0 ? screens[own] : nullptr;
    const qreal ratio = screen != nullptr ? screen->devicePixelRatio() : ratio_;
    if (screen == screen_ && ratio == ratio_)
        return;
    screen_ = screen;
    ratio_ = ratio;
    // Told after the event at hand: the toy redraws itself at the new ratio,
    // which the surface's caller may be in the middle of.
    if (changed_)
        QMetaObject::invokeMethod(
            this, [this] { changed_(); }, Qt::QueuedConnection);
}

} // namespace zorrel::platform
