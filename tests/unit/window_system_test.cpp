// Which surface shows the toy, from the command line's choice and what the
// session offers.

#include "platform/WindowSystem.h"

#include <gtest/gtest.h>

namespace {

using zorrel::platform::chooseSurface;
using zorrel::platform::SessionOffer;
using zorrel::platform::SurfaceChoice;
using zorrel::platform::WindowSystem;

TEST(WindowSystem, TheLayerSurfaceWhereItIsRightX11Elsewhere)
{
    constexpr SessionOffer sway{.waylandDisplay = true, .layerShell = true, .qtOnX11 = true};
    constexpr SessionOffer kwin{
        .waylandDisplay = true, .layerShell = true, .kwin = true, .qtOnX11 = true};
    constexpr SessionOffer mutter{.waylandDisplay = true, .qtOnX11 = true};
    constexpr SessionOffer x11{.qtOnX11 = true};
    constexpr SessionOffer qtElsewhere{.waylandDisplay = true, .layerShell = true};
    const struct {
        const char *why;
        WindowSystem chosen;
        SessionOffer offer;
        SurfaceChoice surface;
    } rows[] = {
        {"a layer-shell compositor", WindowSystem::Automatic, sway, SurfaceChoice::Wayland},
        {"KWin keeps X11", WindowSystem::Automatic, kwin, SurfaceChoice::X11},
        {"no layer shell (GNOME, weston)", WindowSystem::Automatic, mutter, SurfaceChoice::X11},
        {"an X11 session", WindowSystem::Automatic, x11, SurfaceChoice::X11},
        {"Qt not on X11, where the menu opens", WindowSystem::Automatic, qtElsewhere,
         SurfaceChoice::X11},
        {"X11 asked for on sway", WindowSystem::X11, sway, SurfaceChoice::X11},
        {"X11 asked for on KWin", WindowSystem::X11, kwin, SurfaceChoice::X11},
        {"Wayland asked for on sway", WindowSystem::Wayland, sway, SurfaceChoice::Wayland},
        {"Wayland asked for on KWin", WindowSystem::Wayland, kwin, SurfaceChoice::Wayland},
        {"Wayland asked for without layer shell", WindowSystem::Wayland, mutter,
         SurfaceChoice::X11SayingWhy},
        {"Wayland asked for in an X11 session", WindowSystem::Wayland, x11,
         SurfaceChoice::X11SayingWhy},
        {"Wayland asked for, Qt not on X11", WindowSystem::Wayland, qtElsewhere,
         SurfaceChoice::X11SayingWhy},
    };
    for (const auto &[why, chosen, offer, surface] : rows)
        EXPECT_EQ(chooseSurface(chosen, offer), surface) << why;
}

} // namespace
