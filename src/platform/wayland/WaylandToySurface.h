#pragma once

#include "platform/ToySurface.h"

#include <memory>
#include <string>

namespace zorrel::platform::wayland {

// The toy as a layer surface of its own Wayland connection, on the top
// layer of the output that shows it; the Qt window stays unmapped. Null,
// with the reason, where the compositor offers no layer shell.
std::unique_ptr<ToySurface> makeToySurface(QWidget &window, std::string &reason);

} // namespace zorrel::platform::wayland
