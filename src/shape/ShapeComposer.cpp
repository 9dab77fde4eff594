#include "shape/ShapeComposer.h"

#include "shape/OutlineLoaders.h"

#include <span>

namespace zorrel::shape {
namespace {

std::span<const OutlinePoint> loadedOutline(const OutlineBuffer &buffer)
{
    return {buffer.points.data(), static_cast<std::size_t>(buffer.pointCount)};
}

using Loader = void (*)(OutlineBuffer &, const Pose &);

void merge(OutlineBuffer &buffer, const Pose &pose, RegionTable &regions, Loader load,
           CombineMode mode)
{
    load(buffer, pose);
    buffer.partRegion = regions.createPolygon(loadedOutline(buffer));
    regions.combine(buffer.shapeRegion, buffer.shapeRegion, buffer.partRegion, mode);
    regions.remove(buffer.partRegion);
}

bool keyLoopsOpen(std::int16_t keyFrame) { return keyFrame == 0 || keyFrame == 1 || keyFrame == 6; }

} // namespace

void composeShape(const Pose &pose, OutlineBuffer &buffer, RegionTable &regions)
{
    loadHeadOutline(buffer, pose);
    buffer.shapeRegion = regions.createPolygon(loadedOutline(buffer));
    merge(buffer, pose, regions, loadBodyOutline, CombineMode::Or);
    merge(buffer, pose, regions, loadKeyOutline, CombineMode::Or);
    if (keyLoopsOpen(pose.keyFrame)) {
        merge(buffer, pose, regions, loadKeyHoleA, CombineMode::Diff);
        merge(buffer, pose, regions, loadKeyHoleB, CombineMode::Diff);
    }
    merge(buffer, pose, regions, loadLegsOutline, CombineMode::Or);
    merge(buffer, pose, regions, loadLegsGap, CombineMode::Diff);
}

} // namespace zorrel::shape
