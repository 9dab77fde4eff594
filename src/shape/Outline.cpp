#include "shape/Outline.h"

#include "shape/OutlineTables.h"

#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace zorrel::shape {
namespace {

// The row of `table` for `frame`; none when the table has no such row.
std::span<const OutlinePoint> rowOf(const OutlineTable &table, std::int16_t frame)
{
    const auto row = std::ranges::find(table, frame, &OutlineRow::row);
    return row == table.end() ? std::span<const OutlinePoint>() : row->points;
}

// Scan conversion is most of an outline's cost, and the toy shows the same
// few dozen polygons over and over: each is converted once per ratio, keyed
// by the table row it comes from.
QRegion converted(std::span<const OutlinePoint> points, qreal ratio)
{
    static qreal cachedRatio = 0.0;
    static std::unordered_map<const OutlinePoint *, QRegion> cache;
    if (ratio != cachedRatio) {
        cache.clear();
        cachedRatio = ratio;
    }
    auto known = cache.find(points.data());
    if (known == cache.end()) {
        QPolygon polygon;
        polygon.reserve(static_cast<qsizetype>(points.size()));
        for (const OutlinePoint &p : points)
            polygon.append(QPoint(static_cast<int>(std::lround(p.x * ratio)),
                                  static_cast<int>(std::lround(p.y * ratio))));
        // Every outline is a simple polygon, so the fill rule makes no
        // difference.
        known = cache.emplace(points.data(), QRegion(polygon, Qt::OddEvenFill)).first;
    }
    return known->second;
}

bool keyLoopsOpen(std::int16_t keyFrame) { return keyFrame == 0 || keyFrame == 1 || keyFrame == 6; }

QRegion compose(const Pose &pose, qreal ratio)
{
    const auto part = [ratio](const OutlineTable &table, std::int16_t frame) {
        return converted(rowOf(table, frame), ratio);
    };
    QRegion shape = part(kHeadOutlines, pose.headFrame)
                        .united(part(kBodyOutlines, 0))
                        .united(part(kKeyOutlines, pose.keyFrame));
    if (keyLoopsOpen(pose.keyFrame))
        shape = shape.subtracted(part(kKeyHoleAOutlines, pose.keyFrame))
                    .subtracted(part(kKeyHoleBOutlines, pose.keyFrame));
    return shape.united(part(kLegsOutlines, pose.legFrame))
        .subtracted(part(kLegsGapOutlines, pose.legFrame));
}

} // namespace

QRegion outline(const Pose &pose, qreal ratio)
{
    // A walk cycles through a few dozen poses: each is composed once per
    // ratio, the region unions being most of a walking step's own work.
    static qreal cachedRatio = 0.0;
    static std::unordered_map<std::uint64_t, QRegion> composed;
    if (ratio != cachedRatio) {
        composed.clear();
        cachedRatio = ratio;
    }
    const std::uint64_t key = std::uint64_t(std::uint16_t(pose.headFrame)) |
                              std::uint64_t(std::uint16_t(pose.legFrame)) << 16U |
                              std::uint64_t(std::uint16_t(pose.keyFrame)) << 32U;
    if (const auto known = composed.find(key); known != composed.end())
        return known->second;
    return composed.emplace(key, compose(pose, ratio)).first->second;
}

} // namespace zorrel::shape
