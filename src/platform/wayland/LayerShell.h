#pragma once

// The layer shell's generated glue, which names an argument `namespace`: a
// keyword in C++, so the name is changed for the length of the header.
#include <wayland-client.h>

// NOLINTBEGIN
#define namespace layerNamespace
#include <wlr-layer-shell-unstable-v1-client-protocol.h>
#undef namespace
// NOLINTEND
