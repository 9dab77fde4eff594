#include "TestApplication.h"
#include "art/Layout.h"
#include "art/PrerenderedPictures.h"
#include "art/Sprites.h"
#include "art/SvgPicture.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <string>

namespace {

using zorrel::art::FrameSet;
namespace layout = zorrel::art::layout;

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
    zorrel::art::SpriteSet sprites(ratio);
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
            const QImage eager =
                zorrel::art::renderPicture(zorrel::art::framePath(set, i), size, ratio);
            EXPECT_EQ(lazy.devicePixelRatio(), ratio);
            EXPECT_EQ(pixels(lazy), eager.convertToFormat(QImage::Format_RGB32))
                << zorrel::art::framePath(set, i).toStdString();
        }
    }
    EXPECT_EQ(pixels(sprites.body()),
              zorrel::art::renderPicture(zorrel::art::bodyPath(), layout::kBodyPic.size(), ratio));
    EXPECT_EQ(sprites.frame(FrameSet::Legs, 3).cacheKey(), shown);
}

INSTANTIATE_TEST_SUITE_P(Ratios, SpritesAtRatio, testing::Values(1.0, 2.0),
                         [](const testing::TestParamInfo<qreal> &info) {
                             return "x" + std::to_string(qRound(info.param));
                         });

// The pixels the build rendered are what the vector art gives at run time,
// and they hold every picture a start at ratio 1 shows.
TEST(PrerenderedPictures, AreTheVectorArtsPixelsForAllAStartShows)
{
    app();
    QStringList held;
    for (const zorrel::art::PrerenderedPicture &picture : zorrel::art::prerenderedPictures()) {
        const QSize size = picture.size;
        const QImage built(reinterpret_cast<const uchar *>(picture.pixels), size.width(),
                           size.height(), size.width() * qsizetype{4}, picture.format);
        EXPECT_EQ(built,
                  zorrel::art::renderSvgFile(QString::fromLatin1(picture.path), size, 1.0,
                                             picture.format, QColor::fromRgba(picture.background)))
            << picture.path;
        held << QStringLiteral("%1 %2").arg(QLatin1String(picture.path)).arg(size.width());
    }
    QStringList shown{zorrel::art::framePath(FrameSet::Head, 0) + " 69",
                      zorrel::art::bodyPath() + " 39",
                      zorrel::art::framePath(FrameSet::Legs, 0) + " 53",
                      zorrel::art::framePath(FrameSet::Key, 0) + " 19",
                      ":/art/hand_open.svg 32",
                      ":/art/hand_grab.svg 32"};
    for (const int side : layout::kIconSides)
        shown << QStringLiteral(":/art/icon.svg %1").arg(side);
    for (const QString &picture : shown)
        EXPECT_TRUE(held.contains(picture)) << picture.toStdString();

    // And the art takes them: a start at ratio 1 draws nothing from SVG.
    const std::size_t drawn = zorrel::art::svgDrawingCount();
    const zorrel::art::SpriteSet sprites(1.0);
    (void)zorrel::art::handCursor(zorrel::art::HandCursor::Open, 1.0);
    (void)zorrel::art::handCursor(zorrel::art::HandCursor::Grabbing, 1.0);
    (void)zorrel::art::programIcon();
    EXPECT_EQ(zorrel::art::svgDrawingCount(), drawn);
    (void)sprites.frame(FrameSet::Legs, 1);
    EXPECT_EQ(zorrel::art::svgDrawingCount(), drawn + 1);
}

// Where the pointer acts must stay on the same point of the picture at 2x:
// the hand's hot spot (3, 2) is device pixel (6, 4) of its 64x64 image,
// whether the platform reads QCursor's hot spot in logical or image pixels.
TEST(Cursors, HotSpotScalesWithTheCursor)
{
    app();
    const QCursor cursor = zorrel::art::handCursor(zorrel::art::HandCursor::Open, 2.0);
    EXPECT_EQ(cursor.pixmap().size(), QSize(64, 64));
    EXPECT_EQ(cursor.pixmap().devicePixelRatio(), 2.0);
    const QPoint device =
        zorrel::art::platformHotSpotInImagePixels() ? cursor.hotSpot() : cursor.hotSpot() * 2;
    EXPECT_EQ(device, QPoint(6, 4));

    EXPECT_EQ(zorrel::art::cursorHotSpot(layout::kHandHotSpot, 2.0, true), QPoint(6, 4));
    EXPECT_EQ(zorrel::art::cursorHotSpot(layout::kHandHotSpot, 2.0, false), QPoint(3, 2));
    EXPECT_EQ(zorrel::art::cursorHotSpot(layout::kPointingHotSpot, 1.5, true), QPoint(7, 1));
}

bool iconEnginePluginLoaded()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libqsvgicon");
}

// The icon is made of pixmaps, so showing it never loads the SVG icon engine.
TEST(ProgramIcon, IsPixmapsWithoutIconEngine)
{
    app();
    const QIcon icon = zorrel::art::programIcon();
    EXPECT_EQ(icon.pixmap(QSize(32, 32), 1.5).size(), QSize(48, 48));
    EXPECT_FALSE(iconEnginePluginLoaded());
}

} // namespace
