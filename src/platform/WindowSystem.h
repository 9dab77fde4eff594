#pragma once

// Which window system shows the toy, as the command line chose it.
namespace zorrel::platform {

enum class WindowSystem {
    Automatic, // X11 (Xwayland in a Wayland session), as the program always did
    X11,
    Wayland, // a layer surface of the toy's own Wayland connection, where offered
};

// Before the toy window is made.
void chooseWindowSystem(WindowSystem chosen);
[[nodiscard]] WindowSystem chosenWindowSystem();

} // namespace zorrel::platform
