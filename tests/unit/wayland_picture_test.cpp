// What a Wayland buffer must redraw, and the compositor be told, when the
// toy's picture changes: only the layers that changed and what the outline
// gained or lost, in the buffer's device pixels at scales 1, 1.5 and 2.

#include "platform/wayland/PictureDamage.h"

#include <gtest/gtest.h>

namespace zorrel::platform::wayland {
namespace {

const QSize kToy(69, 96);

// A head, a body and legs, as the toy stacks them, at `scale`.
PictureMark standing(double scale, std::int64_t head = 1, std::int64_t legs = 3)
{
    PictureMark mark;
    mark.scale = scale;
    mark.size = bufferSize(kToy, scale);
    mark.layers = {{head, {10, 0, 50, 40}}, {2, {5, 35, 60, 40}}, {legs, {15, 70, 40, 26}}};
    mark.outline = QRegion(QRect(QPoint(), mark.size));
    return mark;
}

TEST(WaylandPicture, TheBufferHasWholeDevicePixelsAtEveryScale)
{
    EXPECT_EQ(bufferSize(kToy, 1), QSize(69, 96));
    EXPECT_EQ(bufferSize(kToy, 2), QSize(138, 192));
    EXPECT_EQ(bufferSize(kToy, 1.5), QSize(104, 144)); // 103.5 rounds as a viewport's does
    EXPECT_EQ(bufferSize(kToy, 1.25), QSize(86, 120));
}

TEST(WaylandPicture, OnlyTheLayersThatChangedAreRedrawnAtTheirOldAndNewPlaces)
{
    const struct {
        const char *what;
        double scale;
        PictureMark was, now;
        QRegion changed;
    } rows[] = {
        {"the same picture", 1, standing(1), standing(1), QRegion()},
        {"another head frame", 1, standing(1), standing(1, 9), QRect(10, 0, 50, 40)},
        {"another head frame at scale 2", 2, standing(2), standing(2, 9), QRect(20, 0, 100, 80)},
        // 15 * 1.5 = 22.5 and 70 * 1.5 = 105: the half pixels are taken whole.
        {"other legs at scale 1.5", 1.5, standing(1.5), standing(1.5, 1, 7),
         QRect(22, 105, 61, 39)},
        {"head and legs", 1, standing(1), standing(1, 9, 7),
         QRegion(10, 0, 50, 40) + QRegion(15, 70, 40, 26)},
    };
    for (const auto &row : rows)
        EXPECT_EQ(changedArea(row.was, row.now), row.changed) << row.what;
}

TEST(WaylandPicture, AMovedLayerIsRedrawnWhereItWasAndWhereItIs)
{
    PictureMark moved = standing(1);
    moved.layers[0].place.translate(0, 3);
    EXPECT_EQ(changedArea(standing(1), moved), QRegion(10, 0, 50, 43));
    EXPECT_EQ(changedArea(moved, standing(1)), QRegion(10, 0, 50, 43));
}

TEST(WaylandPicture, WhatTheOutlineGainedOrLostIsRedrawn)
{
    PictureMark was = standing(1);
    PictureMark now = standing(1);
    was.outline = QRegion(0, 0, 69, 90);
    now.outline = QRegion(0, 0, 69, 96) - QRegion(0, 0, 4, 4);
    EXPECT_EQ(changedArea(was, now), QRegion(0, 90, 69, 6) + QRegion(0, 0, 4, 4));
}

TEST(WaylandPicture, AnotherSizeScaleOrStackIsRedrawnWhole)
{
    PictureMark fewer = standing(1);
    fewer.layers.pop_back();
    EXPECT_EQ(changedArea(standing(1), fewer), QRegion(0, 0, 69, 96));
    EXPECT_EQ(changedArea(standing(1), standing(2)), QRegion(0, 0, 138, 192));
    EXPECT_EQ(changedArea(standing(2), standing(1.5)), QRegion(0, 0, 104, 144));
}

TEST(WaylandPicture, ALayerReachingPastTheBufferIsCutToIt)
{
    PictureMark was = standing(2);
    PictureMark now = standing(2);
    now.layers[2].place = QRect(50, 80, 40, 26);
    EXPECT_EQ(changedArea(was, now), QRegion(30, 140, 80, 52) + QRegion(100, 160, 38, 32));
}

} // namespace
} // namespace zorrel::platform::wayland
