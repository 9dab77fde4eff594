// The pictures, cursors and icon, and the window shapes composed for each pose.

#include "TestSupport.h"
#include "art/Layout.h"
#include "art/PrerenderedPictures.h"
#include "art/Sprites.h"
#include "art/SvgPicture.h"
#include "shape/Outline.h"
#include "toy/Clockwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using namespace zorrel::art;
using zorrel::shape::Pose;

QGuiApplication &app() { return zorrel::test::testApplication<QGuiApplication>(); }

QImage pixels(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

class SpritesAtRatio : public testing::TestWithParam<qreal> {};

// Frames drawn on first use, in an order unlike the eager one, must be the
// very pictures an eager drawing at the same ratio gives, and a frame once
// drawn stays the one shown.
TEST_P(SpritesAtRatio, LazyFramesMatchEagerRendering)
{
    app();
    const qreal ratio = GetParam();
    SpriteSet sprites(ratio);
    const qint64 shown = sprites.frame(FrameSet::Legs, 3).cacheKey();
    const struct {
        FrameSet set;
        int count;
        QSize size;
    } sets[] = {{FrameSet::Key, layout::kKeyFrames, layout::kKeyPic.size()},
                {FrameSet::Legs, layout::kLegsFrames, layout::kBottomPic.size()},
                {FrameSet::Head, layout::kHeadFrames, layout::kHeadPic.size()}};
    for (const auto &[set, count, size] : sets) {
        for (int i = count - 1; i >= 0; --i) {
            const QPixmap &lazy = sprites.frame(set, i);
            EXPECT_EQ(lazy.devicePixelRatio(), ratio);
            EXPECT_EQ(
                pixels(lazy),
                renderPicture(framePath(set, i), size, ratio).convertToFormat(QImage::Format_RGB32))
                << framePath(set, i).toStdString();
        }
    }
    EXPECT_EQ(pixels(sprites.body()), renderPicture(bodyPath(), layout::kBodyPic.size(), ratio));
    EXPECT_EQ(sprites.frame(FrameSet::Legs, 3).cacheKey(), shown);
}

INSTANTIATE_TEST_SUITE_P(Ratios, SpritesAtRatio, testing::Values(1.0, 2.0),
                         [](const testing::TestParamInfo<qreal> &info) {
                             return "x" + std::to_string(qRound(info.param));
                         });

// The pixels the build rendered are what the vector art gives at run time,
// they hold every picture a start at ratio 1 shows, and the art takes them.
TEST(PrerenderedPictures, AreTheVectorArtsPixelsForAllAStartShows)
{
    app();
    QStringList held;
    for (const PrerenderedPicture &picture : prerenderedPictures()) {
        const QSize size = picture.size;
        const QImage built(reinterpret_cast<const uchar *>(picture.pixels), size.width(),
                           size.height(), size.width() * qsizetype{4}, picture.format);
        EXPECT_EQ(built, renderSvgFile(QString::fromLatin1(picture.path), size, 1.0, picture.format,
                                       QColor::fromRgba(picture.background)))
            << picture.path;
        held << QStringLiteral("%1 %2").arg(QLatin1String(picture.path)).arg(size.width());
    }
    QStringList shown{framePath(FrameSet::Head, 0) + " 69",
                      bodyPath() + " 39",
                      framePath(FrameSet::Legs, 0) + " 53",
                      framePath(FrameSet::Key, 0) + " 19",
                      ":/art/hand_open.svg 32",
                      ":/art/hand_grab.svg 32"};
    for (const int side : layout::kIconSides)
        shown << QStringLiteral(":/art/icon.svg %1").arg(side);
    for (const QString &picture : shown)
        EXPECT_TRUE(held.contains(picture)) << picture.toStdString();

    const std::size_t drawn = svgDrawingCount();
    const SpriteSet sprites(1.0);
    (void)handCursor(HandCursor::Open, 1.0);
    (void)handCursor(HandCursor::Grabbing, 1.0);
    (void)programIcon();
    EXPECT_EQ(svgDrawingCount(), drawn);
    (void)sprites.frame(FrameSet::Legs, 1);
    EXPECT_EQ(svgDrawingCount(), drawn + 1);

    // Idle moments draw each frame still missing once, then nothing more.
    while (sprites.drawNextMissing())
        ;
    const int frames = layout::kHeadFrames + layout::kLegsFrames + layout::kKeyFrames;
    EXPECT_TRUE(sprites.complete());
    EXPECT_EQ(svgDrawingCount(), drawn + frames - 3);
    (void)sprites.frame(FrameSet::Head, layout::kHeadFrames - 1);
    EXPECT_EQ(svgDrawingCount(), drawn + frames - 3);
}

// Where the pointer acts must stay on the same point of the picture at 2x:
// the hand's hot spot (3, 2) is device pixel (6, 4) of its 64x64 image,
// whether the platform reads QCursor's hot spot in logical or image pixels.
TEST(Cursors, HotSpotScalesWithTheCursor)
{
    app();
    const QCursor cursor = handCursor(HandCursor::Open, 2.0);
    EXPECT_EQ(cursor.pixmap().size(), QSize(64, 64));
    EXPECT_EQ(cursor.pixmap().devicePixelRatio(), 2.0);
    EXPECT_EQ(cursorHotSpot(layout::kHandHotSpot, 2.0, true), QPoint(6, 4));
    EXPECT_EQ(cursorHotSpot(layout::kHandHotSpot, 2.0, false), QPoint(3, 2));
    EXPECT_EQ(cursorHotSpot(layout::kPointingHotSpot, 1.5, true), QPoint(7, 1));
}

// The icon is made of pixmaps, so showing it never loads the SVG icon engine.
TEST(ProgramIcon, IsPixmapsWithoutIconEngine)
{
    app();
    EXPECT_EQ(programIcon().pixmap(QSize(32, 32), 1.5).size(), QSize(48, 48));
    QFile maps(QStringLiteral("/proc/self/maps"));
    ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
    EXPECT_FALSE(maps.readAll().contains("libqsvgicon"));
}

TEST(Artwork, CursorsAndIconLoad)
{
    app();
    for (const char *path :
         {":/art/hand_open.svg", ":/art/hand_grab.svg", ":/art/hand_point.svg", ":/art/icon.svg"})
        EXPECT_TRUE(QSvgRenderer(QString::fromLatin1(path)).isValid()) << path;
}

// Every pose must fill its window shape, which stays inside the client area:
// at least 97% of the pixels inside the composed outline are painted (some
// channel well above the black background of the pictures).
TEST(Artwork, EveryPoseFillsItsShape)
{
    app();
    namespace cw = zorrel::toy::clockwork;
    const QSize clientSize(cw::kClientWidth, cw::kClientHeight);
    const auto frame = [](FrameSet set, int index, QRect place) {
        return renderPicture(framePath(set, index), place.size(), 1.0);
    };
    const QImage body = renderPicture(bodyPath(), layout::kBodyPic.size(), 1.0);
    for (int h = 0; h < layout::kHeadFrames; ++h) {
        const QImage head = frame(FrameSet::Head, h, layout::kHeadPic);
        for (int l = 0; l < layout::kLegsFrames; ++l) {
            const QImage legs = frame(FrameSet::Legs, l, layout::kBottomPic);
            for (int k = 0; k < layout::kKeyFrames; ++k) {
                QImage window(clientSize, QImage::Format_RGB32);
                window.fill(layout::kBackground);
                QPainter painter(&window);
                painter.drawImage(layout::kHeadPic.topLeft(), head);
                painter.drawImage(layout::kBodyPic.topLeft(), body);
                painter.drawImage(layout::kBottomPic.topLeft(), legs);
                painter.drawImage(layout::kKeyPic.topLeft(),
                                  frame(FrameSet::Key, k, layout::kKeyPic));
                painter.end();

                const QRegion shape = zorrel::shape::outline(
                    {std::int16_t(h), std::int16_t(l), std::int16_t(k)}, 1.0);
                long inside = 0, painted = 0;
                for (const QRect &r : shape)
                    for (int y = r.top(); y <= r.bottom(); ++y)
                        for (int x = r.left(); x <= r.right(); ++x, ++inside) {
                            const QRgb c = window.valid(x, y) ? window.pixel(x, y) : 0;
                            painted += std::max({qRed(c), qGreen(c), qBlue(c)}) >= 24 ? 1 : 0;
                        }
                ASSERT_GT(inside, 0);
                ASSERT_TRUE(QRect({}, clientSize).contains(shape.boundingRect()));
                ASSERT_GE(static_cast<double>(painted) / static_cast<double>(inside), 0.97)
                    << "head " << h << ", legs " << l << ", key " << k;
            }
        }
    }
}

// The rest pose's outline is checked point by point in the window tests.
// Outlines are scaled corner by corner for a screen's ratio, and one ratio's
// conversions are never shown at another.
TEST(Outline, FollowsTheRatioAndTheKey)
{
    using zorrel::shape::outline;
    EXPECT_TRUE(outline({0, 0, 3}, 1.0).contains(QPoint(59, 68))) << "a closed key has no holes";
    const QRegion rest = outline({}, 1.0);
    const QRegion doubled = outline({}, 2.0);
    EXPECT_EQ(doubled.boundingRect(),
              QRect(rest.boundingRect().topLeft() * 2, rest.boundingRect().size() * 2));
    EXPECT_EQ(outline({}, 1.0), rest);
}

} // namespace
