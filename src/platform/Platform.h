#pragma once

#include <string>

// The few things the toy needs from the window system that Qt does not
// offer portably. One implementation per window system, chosen at build
// time; see also ToySurface.h.
namespace zorrel::platform {

// Before the application object exists: picks a window-system plugin that
// lets the toy place its own window, unless the user chose one.
void choosePlatformPlugin();

// Before the application object exists: whether the display named
// `displayName` (null: the default one) can be reached, answers within a
// few seconds and has the colour depth the toy's pictures need. On failure,
// `reason` says why in a few words.
bool displayReachable(const char *displayName, std::string &reason);

// After the application object exists: a lost connection to the display
// ends the program at once with status 1 and one line on stderr, before
// anything still running (the sound thread) can trip over the teardown.
void endCleanlyOnDisplayLoss();

// After the application object exists: whether the window system takes a
// cursor's hot spot as a pixel of its image rather than in logical pixels.
// QCursor documents logical pixels, and most platforms scale the hot spot
// with the pixmap; Qt 6.4 on X11 hands it to the server unscaled.
bool cursorHotSpotInImagePixels();

} // namespace zorrel::platform
