#pragma once

#include "shape/OutlineBuffer.h"
#include "shape/RegionTable.h"

namespace zorrel::shape {

// Builds the silhouette of `pose` into buffer.shapeRegion, in outer-window
// pixels: (((head | body | key) - hole A - hole B) | legs) - gap. Temporary
// part regions are deleted as they are merged.
void composeShape(const Pose &pose, OutlineBuffer &buffer, RegionTable &regions);

} // namespace zorrel::shape
