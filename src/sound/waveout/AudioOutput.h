#pragma once

// The audio module's output on Windows: the system's waveOut mixer.
#include "sound/waveout/WaveOutOutput.h"

namespace zorrel::sound {
using AudioOutput = WaveOutOutput;
} // namespace zorrel::sound
