#pragma once

#include "shape/OutlineBuffer.h"

#include <QRegion>

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>

namespace zorrel::shape {

enum class CombineMode { Or, Diff };

// Region objects addressed by handle, the way the toy's shape code expects
// them: created, combined and deleted explicitly, and one of them at a time
// owned by the window. Keeps the number of live regions observable.
class RegionTable {
  public:
    // Every polygon made from now on is taken relative to `origin` and
    // scaled by `scale` before it becomes a region, so that at a device-pixel
    // ratio above 1 the outline steps one device pixel at a time.
    void setPlacement(QPoint origin, double scale);

    RegionHandle createPolygon(std::span<const OutlinePoint> points);
    void combine(RegionHandle dest, RegionHandle first, RegionHandle second, CombineMode mode);
    void remove(RegionHandle handle);

    // Hands `handle` to the window; the region the window held is disposed of.
    void giveToWindow(RegionHandle handle);
    [[nodiscard]] QRegion windowRegion() const;

    [[nodiscard]] QRegion region(RegionHandle handle) const;
    [[nodiscard]] std::size_t liveCount() const { return regions_.size(); }

  private:
    std::unordered_map<RegionHandle, QRegion> regions_;
    // Scan conversion is most of an outline's cost, and the toy shows the
    // same few dozen polygons over and over: each is converted once per
    // placement, keyed by its corners' bytes.
    std::unordered_map<std::string, QRegion> converted_;
    std::string key_; // reused, so that a lookup allocates nothing
    RegionHandle next_ = 1;
    RegionHandle window_ = 0;
    QPoint origin_;
    double scale_ = 1.0;
};

} // namespace zorrel::shape
