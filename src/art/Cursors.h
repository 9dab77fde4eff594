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
// logical pixels: in device pixels where the platform takes it as a pixel
// of the image.
// A fractional device position falls into the pixel that contains it.
QPoint cursorHotSpot(QPoint logical, qreal devicePixelRatio, bool hotSpotInImagePixels);

} // namespace zorrel::art
