#pragma once

#include <QIcon>

namespace zorrel::art {

// The program's icon as plain pixmaps drawn from its vector picture at the
// sides it is shown at: 16, 32 and 48 pixels for the window system, and 32
// times each screen's ratio for the about box. A pixmap icon needs no icon
// engine plugin, which costs more to load than drawing these few sizes.
QIcon programIcon();

} // namespace zorrel::art
