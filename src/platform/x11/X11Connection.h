#pragma once

#include "platform/ToySurface.h"

#include <xcb/xcb.h>

namespace zorrel::platform::x11 {

// The application's X connection on the xcb platform; null on any other
// platform (offscreen, minimal, wayland), even where Qt's X11 interface
// would answer.
xcb_connection_t *connection();

// A second connection to the application's display, or null if it cannot
// be made. The caller disconnects it.
xcb_connection_t *connectAgain();

// The atom of `name`, asked of the server once and remembered.
xcb_atom_t atom(xcb_connection_t *connection, const char *name);

// The surface that talks to the X server directly; needs connection().
std::unique_ptr<ToySurface> makeToySurface(QWidget &window);

} // namespace zorrel::platform::x11
