#pragma once

#include "shape/OutlineBuffer.h"

namespace zorrel::shape {

// Each loader copies one row of its table, chosen by a frame of the pose,
// into the point buffer and sets the point count. An index with no row
// writes nothing: buffer and count keep the previous outline.
void loadHeadOutline(OutlineBuffer &buffer, const Pose &pose);
void loadBodyOutline(OutlineBuffer &buffer, const Pose &pose);
void loadKeyOutline(OutlineBuffer &buffer, const Pose &pose);
void loadKeyHoleA(OutlineBuffer &buffer, const Pose &pose);
void loadKeyHoleB(OutlineBuffer &buffer, const Pose &pose);
void loadLegsOutline(OutlineBuffer &buffer, const Pose &pose);
void loadLegsGap(OutlineBuffer &buffer, const Pose &pose);

} // namespace zorrel::shape
