#pragma once

#include "art/Frames.h"

#include <QCursor>
#include <QPoint>

namespace zorrel::art {

// The hand pointers, drawn from their vector pictures at a device-pixel
// ratio: a cursor of 32 logical pixels is 32 * ratio device pixels. A widget
// that moves to a screen of another scale asks for its cursors again.
QCursor handCursor(HandCursor which, qreal devicePixelRatio);
QCursor pointingHandCursor(qreal devicePixelRatio);

// The pointing hand at the primary screen's ratio.
QCursor pointingHandCursor();

// The hot spot to hand to QCursor for a point of the picture given in
// logical pixels. QCursor documents its hot spot in logical pixels, and most
// platforms scale it with the pixmap; X11 (Qt 6.4) passes it to the server
// unscaled, as a pixel of the image, so there it is given in device pixels.
// A fractional device position falls into the pixel that contains it.
QPoint cursorHotSpot(QPoint logical, qreal devicePixelRatio, bool hotSpotInImagePixels);

// Whether the running platform reads cursor hot spots in image pixels.
bool platformHotSpotInImagePixels();

} // namespace zorrel::art
