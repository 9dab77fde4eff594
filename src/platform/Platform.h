#pragma once

#include <string>

class QWidget;

// The few things the toy needs from the window system that Qt does not
// offer portably. One implementation per window system, chosen at build time.
namespace zorrel::platform {

// Before the application object exists: picks a window-system plugin that
// lets the toy place its own window, unless the user chose one.
void choosePlatformPlugin();

// Before the application object exists: whether a display can be reached.
// On failure, `reason` says why in a few words.
bool displayReachable(std::string &reason);

// Keeps a shown top-level window out of the task bar and the pager.
void keepOffTaskbar(QWidget &window);

} // namespace zorrel::platform
