#include "shape/OutlineLoaders.h"

#include "shape/OutlineTables.h"

#include <algorithm>

namespace zorrel::shape {
namespace {

void loadRow(OutlineBuffer &buffer, const OutlineTable &table, std::int16_t index)
{
    const auto row = std::ranges::find(table, index, &OutlineRow::row);
    if (row == table.end())
        return;
    std::ranges::copy(row->points, buffer.points.begin());
    buffer.pointCount = static_cast<std::int16_t>(row->points.size());
}

} // namespace

// clang-format off
void loadHeadOutline(OutlineBuffer &b, const Pose &p) { loadRow(b, kHeadOutlines, p.headFrame); }
void loadBodyOutline(OutlineBuffer &b, const Pose & /*p*/) { loadRow(b, kBodyOutlines, 0); }
void loadKeyOutline(OutlineBuffer &b, const Pose &p) { loadRow(b, kKeyOutlines, p.keyFrame); }
void loadKeyHoleA(OutlineBuffer &b, const Pose &p) { loadRow(b, kKeyHoleAOutlines, p.keyFrame); }
void loadKeyHoleB(OutlineBuffer &b, const Pose &p) { loadRow(b, kKeyHoleBOutlines, p.keyFrame); }
void loadLegsOutline(OutlineBuffer &b, const Pose &p) { loadRow(b, kLegsOutlines, p.legFrame); }
void loadLegsGap(OutlineBuffer &b, const Pose &p) { loadRow(b, kLegsGapOutlines, p.legFrame); }
// clang-format on

} // namespace zorrel::shape
