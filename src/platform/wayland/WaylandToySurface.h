#pragma once

#include "platform/ToySurface.h"

#include <memory>

namespace zorrel::platform::wayland {

class WaylandDisplay;

// The toy as a layer surface of its own Wayland connection `display`, on
// the top layer of the output that shows it; the Qt window stays unmapped.
std::unique_ptr<ToySurface> makeToySurface(QWidget &window,
                                           std::unique_ptr<WaylandDisplay> display);

} // namespace zorrel::platform::wayland
