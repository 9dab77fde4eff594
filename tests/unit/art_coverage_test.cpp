#include "TestApplication.h"
#include "art/Layout.h"
#include "art/Sprites.h"
#include "shape/RegionTable.h"
#include "shape/ShapeComposer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using zorrel::art::FrameSet;
namespace layout = zorrel::art::layout;

QGuiApplication &app() { return zorrel::test::testApplication<QGuiApplication>(); }

QImage frame(FrameSet set, int index, QSize size)
{
    return zorrel::art::renderPicture(zorrel::art::framePath(set, index), size, 1.0);
}

// Whether a pixel counts as lit: some channel well above the black background.
bool lit(QRgb c) { return std::max({qRed(c), qGreen(c), qBlue(c)}) >= 24; }

TEST(Artwork, CursorsAndIconLoad)
{
    app();
    for (const char *path :
         {":/art/hand_open.svg", ":/art/hand_grab.svg", ":/art/hand_point.svg", ":/art/icon.svg"})
        EXPECT_TRUE(QSvgRenderer(QString::fromLatin1(path)).isValid()) << path;
}

// Every pose must fill its window shape, which stays inside the client area:
// at least 97% of the pixels inside the composed outline are painted, not the
// black background of the pictures.
TEST(Artwork, EveryPoseFillsItsShape)
{
    app();
    const QPoint client = layout::kClientOrigin;
    const QImage body =
        zorrel::art::renderPicture(zorrel::art::bodyPath(), layout::kBodyPic.size(), 1.0);
    for (int h = 0; h < layout::kHeadFrames; ++h) {
        const QImage head = frame(FrameSet::Head, h, layout::kHeadPic.size());
        for (int l = 0; l < layout::kLegsFrames; ++l) {
            const QImage legs = frame(FrameSet::Legs, l, layout::kBottomPic.size());
            for (int k = 0; k < layout::kKeyFrames; ++k) {
                QImage window(75, 121, QImage::Format_RGB32);
                window.fill(Qt::black);
                QPainter painter(&window);
                painter.drawImage(layout::kHeadPic.topLeft() + client, head);
                painter.drawImage(layout::kBodyPic.topLeft() + client, body);
                painter.drawImage(layout::kBottomPic.topLeft() + client, legs);
                painter.drawImage(layout::kKeyPic.topLeft() + client,
                                  frame(FrameSet::Key, k, layout::kKeyPic.size()));
                painter.end();

                const zorrel::shape::Pose pose{static_cast<std::int16_t>(h),
                                               static_cast<std::int16_t>(l),
                                               static_cast<std::int16_t>(k)};
                zorrel::shape::OutlineBuffer buffer;
                zorrel::shape::RegionTable regions;
                zorrel::shape::composeShape(pose, buffer, regions);
                const QRegion shape = regions.region(buffer.shapeRegion);
                long inside = 0;
                long painted = 0;
                for (const QRect &r : shape)
                    for (int y = r.top(); y <= r.bottom(); ++y)
                        for (int x = r.left(); x <= r.right(); ++x, ++inside)
                            painted += window.valid(x, y) && lit(window.pixel(x, y)) ? 1 : 0;
                ASSERT_GT(inside, 0);
                ASSERT_TRUE(QRect(client, layout::kClientSize).contains(shape.boundingRect()));
                ASSERT_GE(static_cast<double>(painted) / static_cast<double>(inside), 0.97)
                    << "head " << h << ", legs " << l << ", key " << k;
            }
        }
    }
}

} // namespace
