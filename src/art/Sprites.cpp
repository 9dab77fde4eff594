#include "art/Sprites.h"

#include "art/Pictures.h"

namespace zorrel::art {
namespace {

QSize frameSize(FrameSet set)
{
    switch (set) {
    case FrameSet::Head:
        return layout::kHeadPic.size();
    case FrameSet::Legs:
        return layout::kBottomPic.size();
    case FrameSet::Key:
        return layout::kKeyPic.size();
    }
    return {};
}

// The image becomes the pixmap's storage without a copy.
QPixmap renderPixmap(const QString &path, QSize logicalSize, qreal ratio)
{
    return QPixmap::fromImage(renderPicture(path, logicalSize, ratio));
}

} // namespace

QString framePath(FrameSet set, int frame)
{
    switch (set) {
    case FrameSet::Head:
        return QStringLiteral(":/art/head%1.svg").arg(frame);
    case FrameSet::Legs:
        return QStringLiteral(":/art/legs%1.svg").arg(frame);
    case FrameSet::Key:
        return QStringLiteral(":/art/key%1.svg").arg(frame);
    }
    return {};
}

QString bodyPath() { return QStringLiteral(":/art/body.svg"); }

QImage renderPicture(const QString &path, QSize logicalSize, qreal devicePixelRatio)
{
    return artPicture(path, logicalSize, devicePixelRatio, kPartFormat, layout::kBackground);
}

SpriteSet::SpriteSet(qreal devicePixelRatio)
    : ratio_(devicePixelRatio),
      body_(renderPixmap(bodyPath(), layout::kBodyPic.size(), devicePixelRatio))
{
    for (const FrameSet set : {FrameSet::Head, FrameSet::Legs, FrameSet::Key})
        (void)frame(set, 0);
}

QPixmap &SpriteSet::slot(FrameSet set, int index) const
{
    const auto i = static_cast<std::size_t>(index);
    switch (set) {
    case FrameSet::Head:
        return head_.at(i);
    case FrameSet::Legs:
        return legs_.at(i);
    case FrameSet::Key:
        break;
    }
    return key_.at(i);
}

const QPixmap &SpriteSet::frame(FrameSet set, int index) const
{
    QPixmap &pixmap = slot(set, index);
    if (pixmap.isNull()) {
        pixmap = renderPixmap(framePath(set, index), frameSize(set), ratio_);
        --missing_;
    }
    return pixmap;
}

bool SpriteSet::drawNextMissing() const
{
    const struct {
        FrameSet set;
        int count;
    } sets[] = {{FrameSet::Legs, layout::kLegsFrames},
                {FrameSet::Key, layout::kKeyFrames},
                {FrameSet::Head, layout::kHeadFrames}};
    for (const auto &[set, count] : sets)
        for (int i = 0; i < count; ++i)
            if (slot(set, i).isNull()) {
                (void)frame(set, i);
                return true;
            }
    return false;
}

} // namespace zorrel::art
