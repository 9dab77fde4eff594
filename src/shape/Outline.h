#pragma once

#include "shape/Pose.h"

#include <QRegion>
#include <QtGlobal>

namespace zorrel::shape {

// The silhouette of `pose` in client pixels scaled by `ratio` (the screen's
// device-pixel ratio): (((head | body | key) - key holes) | legs) - legs gap.
// The key's holes show only where its loop is open.
[[nodiscard]] QRegion outline(const Pose &pose, qreal ratio);

} // namespace zorrel::shape
