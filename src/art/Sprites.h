#pragma once

#include "art/Frames.h"

#include <QCursor>
#include <QIcon>
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

// All frames of the creature, rendered once for one device-pixel ratio.
class SpriteSet {
  public:
    explicit SpriteSet(qreal devicePixelRatio);

    [[nodiscard]] const QPixmap &frame(FrameSet set, int index) const;
    [[nodiscard]] const QPixmap &body() const { return body_; }

  private:
    std::array<QPixmap, 5> head_;
    std::array<QPixmap, 11> legs_;
    std::array<QPixmap, 7> key_;
    QPixmap body_;
};

QCursor handCursor(HandCursor which);
QCursor pointingHandCursor();
QIcon programIcon();

} // namespace zorrel::art
