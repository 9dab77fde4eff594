#pragma once

// Names of the pictures the creature is drawn with.
namespace zorrel::art {

// The frame sets a part image can show.
enum class FrameSet { Head, Legs, Key };

// The two pointer icons of the toy: the open hand of the free toy and the
// grabbing hand of a held one.
enum class HandCursor { Open, Grabbing };

} // namespace zorrel::art
