#include "shape/RegionTable.h"

#include <QPolygon>

#include <cmath>

namespace zorrel::shape {

void RegionTable::setPlacement(QPoint origin, double scale)
{
    if (origin == origin_ && scale == scale_)
        return;
    origin_ = origin;
    scale_ = scale;
    converted_.clear();
}

RegionHandle RegionTable::createPolygon(std::span<const OutlinePoint> points)
{
    key_.assign(reinterpret_cast<const char *>(points.data()), points.size_bytes());
    auto known = converted_.find(key_);
    if (known == converted_.end()) {
        QPolygon polygon;
        polygon.reserve(static_cast<qsizetype>(points.size()));
        for (const OutlinePoint &p : points)
            polygon.append(QPoint(static_cast<int>(std::lround((p.x - origin_.x()) * scale_)),
                                  static_cast<int>(std::lround((p.y - origin_.y()) * scale_))));
        // Every outline is a simple polygon, so the fill rule makes no
        // difference.
        known = converted_.emplace(key_, QRegion(polygon, Qt::OddEvenFill)).first;
    }
    const RegionHandle handle = next_++;
    regions_.emplace(handle, known->second);
    return handle;
}

void RegionTable::combine(RegionHandle dest, RegionHandle first, RegionHandle second,
                          CombineMode mode)
{
    const auto a = regions_.find(first);
    const auto b = regions_.find(second);
    const auto d = regions_.find(dest);
    if (a == regions_.end() || b == regions_.end() || d == regions_.end())
        return;
    d->second =
        mode == CombineMode::Or ? a->second.united(b->second) : a->second.subtracted(b->second);
}

void RegionTable::remove(RegionHandle handle)
{
    if (handle == window_)
        return; // the window's region is the window's to dispose of
    regions_.erase(handle);
}

void RegionTable::giveToWindow(RegionHandle handle)
{
    if (handle == window_ || !regions_.contains(handle))
        return;
    regions_.erase(window_);
    window_ = handle;
}

QRegion RegionTable::windowRegion() const { return region(window_); }

QRegion RegionTable::region(RegionHandle handle) const
{
    const auto it = regions_.find(handle);
    return it == regions_.end() ? QRegion() : it->second;
}

} // namespace zorrel::shape
