#include "shape/OutlineLoaders.h"
#include "shape/RegionTable.h"
#include "shape/ShapeComposer.h"

#include <gtest/gtest.h>

using zorrel::shape::OutlineBuffer;
using zorrel::shape::OutlinePoint;
using zorrel::shape::Pose;
using zorrel::shape::RegionTable;

namespace {

QRegion compose(const Pose &pose, double scale = 1.0)
{
    OutlineBuffer buffer;
    RegionTable regions;
    regions.setPlacement({}, scale);
    zorrel::shape::composeShape(pose, buffer, regions);
    return regions.region(buffer.shapeRegion);
}

// A frame with no row (the key holes of a closed key, or an index out of
// range) leaves the buffer as the previous outline left it.
TEST(OutlineLoaders, AMissingRowWritesNothing)
{
    OutlineBuffer buffer;
    zorrel::shape::loadHeadOutline(buffer, Pose{1, 0, 0});
    const OutlineBuffer head1 = buffer;
    zorrel::shape::loadHeadOutline(buffer, Pose{0, 0, 0});
    EXPECT_LT(buffer.pointCount, head1.pointCount);
    EXPECT_EQ(buffer.points[47], head1.points[47]) << "points above the row stay";

    const OutlineBuffer before = buffer;
    zorrel::shape::loadKeyHoleA(buffer, Pose{0, 0, 3});
    zorrel::shape::loadKeyHoleB(buffer, Pose{0, 0, 3});
    for (const std::int16_t bad : {-1, 11, 32767}) {
        zorrel::shape::loadHeadOutline(buffer, Pose{bad, bad, 0});
        zorrel::shape::loadLegsOutline(buffer, Pose{bad, bad, 0});
    }
    EXPECT_EQ(buffer, before);
}

// The rest pose's outline is checked point by point in the window tests.
TEST(ShapeComposition, EachCompositionLeavesOneLiveRegionAndMatchesAFreshTable)
{
    OutlineBuffer buffer;
    RegionTable regions;
    for (int i = 0; i < 50; ++i) {
        const Pose pose{0, static_cast<std::int16_t>(i % 11), static_cast<std::int16_t>(i % 7)};
        zorrel::shape::composeShape(pose, buffer, regions);
        regions.giveToWindow(buffer.shapeRegion);
        ASSERT_EQ(regions.liveCount(), 1U);
        EXPECT_EQ(regions.windowRegion(), compose(pose));
    }
    EXPECT_TRUE(compose({0, 0, 3}).contains(QPoint(62, 90))) << "a closed key has no holes";
    // A new scale (the window moved to another screen) converts afresh.
    regions.setPlacement({}, 2.0);
    zorrel::shape::composeShape({}, buffer, regions);
    EXPECT_EQ(regions.region(buffer.shapeRegion), compose({}, 2.0));
}

} // namespace
