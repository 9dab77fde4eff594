#include "shape/OutlineLoaders.h"
#include "shape/OutlineTables.h"
#include "shape/RegionTable.h"
#include "shape/ShapeComposer.h"

#include <gtest/gtest.h>

#include <vector>

using zorrel::shape::OutlinePoint;
using zorrel::shape::OutlineTable;
using zorrel::shape::RegionTable;
using zorrel::toy::ToyState;

namespace {

std::vector<int> counts(const OutlineTable &table)
{
    std::vector<int> n;
    for (const auto &row : table)
        n.push_back(static_cast<int>(row.points.size()));
    return n;
}

TEST(OutlineTables, RowCountsAndEnds)
{
    using namespace zorrel::shape;
    EXPECT_EQ(counts(HeadOutlineRows), (std::vector<int>{45, 48, 48, 48, 47}));
    EXPECT_EQ(counts(BodyOutlineRows), (std::vector<int>{20}));
    EXPECT_EQ(counts(KeyOutlineRows), (std::vector<int>{17, 19, 17, 13, 12, 15, 21}));
    EXPECT_EQ(counts(KeyHoleARows), (std::vector<int>{8, 4, 7}));
    EXPECT_EQ(counts(KeyHoleBRows), (std::vector<int>{8, 4, 5}));
    EXPECT_EQ(counts(LegsOutlineRows),
              (std::vector<int>{23, 20, 22, 22, 25, 25, 26, 26, 26, 24, 24}));
    EXPECT_EQ(counts(LegsGapRows), (std::vector<int>{8, 7, 8, 7, 5, 5, 5, 4, 4, 6, 8}));

    EXPECT_EQ(KeyHoleARows[2].row, 6);
    EXPECT_EQ(HeadOutlineRows[0].points.front(), (OutlinePoint{27, 77}));
    EXPECT_EQ(HeadOutlineRows[0].points.back(), (OutlinePoint{27, 77}));
    EXPECT_EQ(HeadOutlineRows[3].points.back(), (OutlinePoint{30, 72}));
    EXPECT_EQ(HeadOutlineRows[4].points.back(), (OutlinePoint{27, 72}));
    EXPECT_EQ(BodyOutlineRows[0].points.back(), (OutlinePoint{50, 94}));
    EXPECT_EQ(KeyOutlineRows[0].points.front(), (OutlinePoint{52, 91}));
    for (std::size_t k = 1; k < 7; ++k)
        EXPECT_EQ(KeyOutlineRows[k].points.front(), (OutlinePoint{52, 92}));
    EXPECT_EQ(KeyHoleBRows[2].points.back(), (OutlinePoint{60, 96}));
    EXPECT_EQ(LegsOutlineRows[10].points.back(), (OutlinePoint{6, 116}));
    EXPECT_EQ(LegsGapRows[10].points.back(), (OutlinePoint{31, 104}));

    const std::vector<OutlinePoint> shared{{14, 97}, {14, 93}, {50, 93},
                                           {52, 96}, {52, 99}, {49, 103}};
    for (const auto &row : LegsOutlineRows)
        EXPECT_EQ(std::vector<OutlinePoint>(row.points.begin() + 8, row.points.begin() + 14),
                  shared);
    for (const OutlineTable &table : {HeadOutlineRows, BodyOutlineRows, KeyOutlineRows,
                                      KeyHoleARows, KeyHoleBRows, LegsOutlineRows, LegsGapRows})
        for (const auto &row : table)
            for (const auto &p : row.points) {
                ASSERT_GE(p.x, 5);
                ASSERT_LE(p.x, 72);
                ASSERT_GE(p.y, 22);
                ASSERT_LE(p.y, 118);
            }
}

TEST(OutlineLoaders, RowsAndMissingRows)
{
    ToyState s;
    s.HeadFrame = 1;
    zorrel::shape::LoadHeadOutline(s);
    EXPECT_EQ(s.PointCount, 48);
    EXPECT_EQ(s.OutlinePoints[47], (OutlinePoint{29, 70}));

    s.HeadFrame = 0;
    zorrel::shape::LoadHeadOutline(s);
    EXPECT_EQ(s.PointCount, 45);
    EXPECT_EQ(s.OutlinePoints[44], s.OutlinePoints[0]);
    EXPECT_EQ(s.OutlinePoints[47], (OutlinePoint{29, 70})) << "points above the row stay";

    const auto before = s.OutlinePoints;
    s.KeyFrame = 3;
    zorrel::shape::LoadKeyHoleA(s);
    zorrel::shape::LoadKeyHoleB(s);
    EXPECT_EQ(s.PointCount, 45) << "no row: nothing written";
    EXPECT_EQ(s.OutlinePoints, before);
    for (const int bad : {-1, 11, 32767}) {
        s.HeadFrame = static_cast<std::int16_t>(bad);
        s.LegFrame = static_cast<std::int16_t>(bad);
        zorrel::shape::LoadHeadOutline(s);
        zorrel::shape::LoadLegsOutline(s);
        EXPECT_EQ(s.PointCount, 45);
    }

    s.HeadFrame = 4;
    s.LegFrame = 7;
    zorrel::shape::LoadBodyOutline(s);
    EXPECT_EQ(s.PointCount, 20);
    EXPECT_EQ(s.OutlinePoints[0], (OutlinePoint{14, 94}));
    zorrel::shape::LoadLegsGap(s);
    EXPECT_EQ(s.PointCount, 4);
    EXPECT_EQ(s.OutlinePoints[4], (OutlinePoint{19, 81})) << "the body's points stay above";

    ToyState fresh;
    fresh.HeadFrame = 9;
    RegionTable regions;
    zorrel::shape::ComposeShape(fresh, regions);
    EXPECT_EQ(fresh.PointCount, 8) << "legs gap 0 is the last outline loaded";
}

TEST(ShapeComposition, RestPoseContainment)
{
    ToyState s;
    RegionTable regions;
    zorrel::shape::ComposeShape(s, regions);
    const QRegion shape = regions.region(s.ShapeRegion);
    for (const QPoint p :
         {QPoint(40, 60), QPoint(35, 85), QPoint(20, 110), QPoint(57, 85), QPoint(60, 90)})
        EXPECT_TRUE(shape.contains(p)) << p.x() << "," << p.y();
    for (const QPoint p :
         {QPoint(62, 85), QPoint(62, 96), QPoint(30, 103), QPoint(0, 0), QPoint(74, 120)})
        EXPECT_FALSE(shape.contains(p)) << p.x() << "," << p.y();
}

TEST(ShapeComposition, EveryPoseStaysInTheClientAreaAndKeysOnlyHaveHolesWhenOpen)
{
    const QRect client(5, 22, 72 - 5 + 1, 118 - 22 + 1);
    for (std::int16_t h = 0; h <= 4; ++h)
        for (std::int16_t l = 0; l <= 10; ++l)
            for (std::int16_t k = 0; k <= 6; ++k) {
                ToyState s;
                s.HeadFrame = h;
                s.LegFrame = l;
                s.KeyFrame = k;
                RegionTable regions;
                zorrel::shape::ComposeShape(s, regions);
                const QRegion shape = regions.region(s.ShapeRegion);
                ASSERT_FALSE(shape.isEmpty());
                ASSERT_TRUE(client.contains(shape.boundingRect())) << h << " " << l << " " << k;
            }
    ToyState solid;
    solid.KeyFrame = 3;
    RegionTable regions;
    zorrel::shape::ComposeShape(solid, regions);
    EXPECT_TRUE(regions.region(solid.ShapeRegion).contains(QPoint(62, 90)));
}

TEST(ShapeComposition, EachCompositionLeavesOneLiveRegion)
{
    ToyState s;
    RegionTable regions;
    QRegion previous;
    for (int i = 0; i < 50; ++i) {
        s.KeyFrame = static_cast<std::int16_t>(i % 7);
        s.LegFrame = static_cast<std::int16_t>(i % 11);
        zorrel::shape::ComposeShape(s, regions);
        regions.giveToWindow(s.ShapeRegion);
        ASSERT_EQ(regions.liveCount(), 1U);
        EXPECT_EQ(regions.windowRegion(), regions.region(s.ShapeRegion));
    }
}

} // namespace
