#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>

#include <span>

namespace zorrel::art {

// A picture the build rendered from the program's SVG art, at a
// device-pixel ratio of 1: the pictures every start on a common screen shows
// at once (the rest pose, the hand cursors, the window icon). Drawing them
// from pixels spares the start the SVG parser, its drawing code and its
// gradient tables; every other picture, and every one at another ratio, is
// still drawn from the vector art when first needed.
struct PrerenderedPicture {
    const char *path; // resource path of the SVG, e.g. ":/art/head0.svg"
    QSize size;
    QImage::Format format;
    QRgb background;
    const QRgb *pixels; // size.width() * size.height(), row after row
};

// All of them; the table is written by the build (make_prerendered).
std::span<const PrerenderedPicture> prerenderedPictures();

} // namespace zorrel::art
