#pragma once

// The audio module's output on Linux and the other Unix desktops: the
// PulseAudio server (or PipeWire's stand-in for it).
#include "sound/pulse/PulseOutput.h"

namespace zorrel::sound {
using AudioOutput = PulseOutput;
} // namespace zorrel::sound
