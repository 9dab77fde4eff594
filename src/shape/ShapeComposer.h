#pragma once

#include "shape/RegionTable.h"
#include "toy/ToyState.h"

namespace zorrel::shape {

// Builds the silhouette of the current pose into state.ShapeRegion, in
// outer-window pixels: (((head | body | key) - hole A - hole B) | legs) - gap.
// Temporary part regions are deleted as they are merged.
void ComposeShape(toy::ToyState &state, RegionTable &regions);

} // namespace zorrel::shape
