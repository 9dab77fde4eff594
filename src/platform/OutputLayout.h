#pragma once

#include <QPoint>
#include <QRect>

#include <span>

// Where the toy stands among the monitors, in logical desktop pixels: pure
// geometry that the toy window and the Wayland surface share.
namespace zorrel::platform {

// The index of the output in `outputs` that shows most of `toy`; the
// nearest one when none shows any of it; -1 when there are none.
int ownOutput(const QRect &toy, std::span<const QRect> outputs);

// The left edge of the run of outputs the toy can walk along: its own
// output, and each output further left that touches it and shows the toy's
// whole height. Areas no output shows are never walked into. Off every
// output, the leftmost edge of them all.
int walkLeftLimit(const QRect &toy, std::span<const QRect> outputs);

// A surface anchored to the top-left corner of one output: the output it
// goes on and its top and left margins from that corner.
struct OutputPlace {
    int output = -1;
    QPoint margins;
};

// Where a toy at `toy` is shown: on its own output, at its desktop position
// less the output's.
OutputPlace placeOnOutput(const QRect &toy, std::span<const QRect> outputs);

} // namespace zorrel::platform
