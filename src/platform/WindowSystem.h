#pragma once

// Which window system shows the toy: as the command line chose it, and as
// the program picks it when the choice is left to it.
namespace zorrel::platform {

enum class WindowSystem {
    Automatic, // the toy's own Wayland surface where it is right, else X11
    X11,
    Wayland, // a layer surface of the toy's own Wayland connection, where offered
};

// Before the toy window is made.
void chooseWindowSystem(WindowSystem chosen);
[[nodiscard]] WindowSystem chosenWindowSystem();

// What the program found out when it started, for the choice of the surface.
struct SessionOffer {
    bool waylandDisplay = false; // WAYLAND_DISPLAY is set
    bool layerShell = false;     // its compositor answered with all the surface needs
    bool kwin = false;           // and it is KWin
    bool qtOnX11 = false;        // Qt's windows, the menu's among them, are on X11
};

enum class SurfaceChoice {
    Wayland,
    X11,
    X11SayingWhy, // the Wayland surface was asked for and cannot be used
};

// The surface that shows the toy. Left to the program, it is the Wayland
// surface where the compositor offers the layer shell, except on KWin,
// which gives a clicked layer surface the keyboard; X11 everywhere else,
// without a word. The menu and about box open on X11 in any case, so the
// Wayland surface also needs Qt there.
[[nodiscard]] SurfaceChoice chooseSurface(WindowSystem chosen, const SessionOffer &offer);

} // namespace zorrel::platform
