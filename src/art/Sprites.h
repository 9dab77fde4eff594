#pragma once

#include "art/Cursors.h"
#include "art/Frames.h"
#include "art/Layout.h"
#include "art/ProgramIcon.h"

#include <QImage>
#include <QPixmap>
#include <QString>

#include <array>

namespace zorrel::art {

// Resource path of each picture, e.g. ":/art/head3.svg".
QString framePath(FrameSet set, int frame);
QString bodyPath();

// Renders one SVG picture at its natural size times devicePixelRatio, opaque
// on black, as the toy shows it.
QImage renderPicture(const QString &path, QSize logicalSize, qreal devicePixelRatio);

// The frames of the creature for one device-pixel ratio. Only the rest pose
// (head 0, body, legs 0, key 0) is drawn at construction; every other frame
// is drawn the first time it is asked for and kept. All of it lives on the
// GUI thread, like any QPixmap.
class SpriteSet {
  public:
    explicit SpriteSet(qreal devicePixelRatio);

    // Draws the frame on its first use, which costs about half a millisecond
    // at ratio 1; an index outside the set throws std::out_of_range.
    [[nodiscard]] const QPixmap &frame(FrameSet set, int index) const;
    [[nodiscard]] const QPixmap &body() const { return body_; }

    // Draws one frame not drawn yet, for idle moments; false once every
    // frame is drawn.
    bool drawNextMissing() const;
    [[nodiscard]] bool complete() const { return missing_ == 0; }

  private:
    QPixmap &slot(FrameSet set, int index) const;

    qreal ratio_;
    // Null until drawn.
    mutable std::array<QPixmap, layout::kHeadFrames> head_;
    mutable std::array<QPixmap, layout::kLegsFrames> legs_;
    mutable std::array<QPixmap, layout::kKeyFrames> key_;
    QPixmap body_;
    mutable int missing_ = layout::kHeadFrames + layout::kLegsFrames + layout::kKeyFrames;
};

} // namespace zorrel::art
