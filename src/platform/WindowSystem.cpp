#include "platform/WindowSystem.h"

namespace zorrel::platform {
namespace {

WindowSystem &choice()
{
    static WindowSystem chosen = WindowSystem::Automatic;
    return chosen;
}

} // namespace

void chooseWindowSystem(WindowSystem chosen) { choice() = chosen; }

WindowSystem chosenWindowSystem() { return choice(); }

SurfaceChoice chooseSurface(WindowSystem chosen, const SessionOffer &offer)
{
    const bool usable = offer.waylandDisplay && offer.layerShell && offer.qtOnX11;
    switch (chosen) {
    case WindowSystem::X11:
        return SurfaceChoice::X11;
    case WindowSystem::Wayland:
        return usable ? SurfaceChoice::Wayland : SurfaceChoice::X11SayingWhy;
    case WindowSystem::Automatic:
        return usable && !offer.kwin ? SurfaceChoice::Wayland : SurfaceChoice::X11;
    }
    return SurfaceChoice::X11;
}

} // namespace zorrel::platform
