#pragma once

#include "toy/ToyState.h"

namespace zorrel::shape {

// Each loader copies one row of its table, chosen by a frame index of the
// toy state, into the shared point buffer and sets the point count. An index
// with no row writes nothing: buffer and count keep the previous outline.
void LoadHeadOutline(toy::ToyState &state);
void LoadBodyOutline(toy::ToyState &state);
void LoadKeyOutline(toy::ToyState &state);
void LoadKeyHoleA(toy::ToyState &state);
void LoadKeyHoleB(toy::ToyState &state);
void LoadLegsOutline(toy::ToyState &state);
void LoadLegsGap(toy::ToyState &state);

} // namespace zorrel::shape
