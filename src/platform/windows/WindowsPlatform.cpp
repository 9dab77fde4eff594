#include "platform/Platform.h"
#include "platform/ToySurface.h"

namespace zorrel::platform {

void choosePlatformPlugin() {}

bool displayReachable(const char * /*displayName*/, std::string & /*reason*/) { return true; }

void endCleanlyOnDisplayLoss() {}

bool cursorHotSpotInImagePixels() { return false; }

std::unique_ptr<ToySurface> makeToySurface(QWidget &window) { return makeQtToySurface(window); }

} // namespace zorrel::platform
