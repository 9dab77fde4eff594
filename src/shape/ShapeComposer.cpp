#include "shape/ShapeComposer.h"

#include "shape/OutlineLoaders.h"

#include <span>

namespace zorrel::shape {
namespace {

std::span<const OutlinePoint> loadedOutline(const toy::ToyState &state)
{
    return {state.OutlinePoints.data(), static_cast<std::size_t>(state.PointCount)};
}

void merge(toy::ToyState &state, RegionTable &regions, CombineMode mode)
{
    state.PartRegion = regions.createPolygon(loadedOutline(state));
    regions.combine(state.ShapeRegion, state.ShapeRegion, state.PartRegion, mode);
    regions.remove(state.PartRegion);
}

bool keyLoopsOpen(std::int16_t keyFrame) { return keyFrame == 0 || keyFrame == 1 || keyFrame == 6; }

} // namespace

void ComposeShape(toy::ToyState &state, RegionTable &regions)
{
    LoadHeadOutline(state);
    state.ShapeRegion = regions.createPolygon(loadedOutline(state));
    LoadBodyOutline(state);
    merge(state, regions, CombineMode::Or);
    LoadKeyOutline(state);
    merge(state, regions, CombineMode::Or);
    if (keyLoopsOpen(state.KeyFrame)) {
        LoadKeyHoleA(state);
        merge(state, regions, CombineMode::Diff);
        LoadKeyHoleB(state);
        merge(state, regions, CombineMode::Diff);
    }
    LoadLegsOutline(state);
    merge(state, regions, CombineMode::Or);
    LoadLegsGap(state);
    merge(state, regions, CombineMode::Diff);
}

} // namespace zorrel::shape
