#include "shape/OutlineLoaders.h"

#include "shape/OutlineTables.h"

#include <algorithm>

namespace zorrel::shape {
namespace {

void loadRow(toy::ToyState &state, const OutlineTable &table, std::int16_t index)
{
    const auto row = std::ranges::find(table, index, &OutlineRow::row);
    if (row == table.end())
        return;
    std::ranges::copy(row->points, state.OutlinePoints.begin());
    state.PointCount = static_cast<std::int16_t>(row->points.size());
}

} // namespace

void LoadHeadOutline(toy::ToyState &state) { loadRow(state, HeadOutlineRows, state.HeadFrame); }
void LoadBodyOutline(toy::ToyState &state) { loadRow(state, BodyOutlineRows, 0); }
void LoadKeyOutline(toy::ToyState &state) { loadRow(state, KeyOutlineRows, state.KeyFrame); }
void LoadKeyHoleA(toy::ToyState &state) { loadRow(state, KeyHoleARows, state.KeyFrame); }
void LoadKeyHoleB(toy::ToyState &state) { loadRow(state, KeyHoleBRows, state.KeyFrame); }
void LoadLegsOutline(toy::ToyState &state) { loadRow(state, LegsOutlineRows, state.LegFrame); }
void LoadLegsGap(toy::ToyState &state) { loadRow(state, LegsGapRows, state.LegFrame); }

} // namespace zorrel::shape
