// Writes the toy's eleven walking outlines (legs frames 0 to 10, head and key
// at rest, ratio 1) as a C header of rectangles, so that the plain C floor
// clients show the toy's real silhouette and input region without a copy of
// the outline tables.
//   floor_outlines FILE
#include "shape/Outline.h"

#include <QRect>
#include <QRegion>

#include <cstdint>
#include <cstdio>
#include <vector>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: floor_outlines FILE\n");
        return 2;
    }
    constexpr int kPoses = 11;
    std::vector<int> first;
    std::vector<QRect> rects;
    for (int legs = 0; legs < kPoses; ++legs) {
        first.push_back(static_cast<int>(rects.size()));
        zorrel::shape::Pose pose;
        pose.legFrame = static_cast<std::int16_t>(legs);
        for (const QRect &r : zorrel::shape::outline(pose, 1.0))
            rects.push_back(r);
    }
    first.push_back(static_cast<int>(rects.size()));

    std::FILE *out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        std::fprintf(stderr, "floor_outlines: cannot write %s\n", argv[1]);
        return 1;
    }
    std::fprintf(out, "/* Made by floor_outlines from the toy's outline tables. */\n");
    std::fprintf(out, "enum { kFloorPoses = %d, kFloorRects = %zu };\n", kPoses, rects.size());
    std::fprintf(out, "/* x, y, width, height */\n");
    std::fprintf(out, "static const int kFloorRect[kFloorRects][4] = {\n");
    for (const QRect &r : rects)
        std::fprintf(out, "    {%d, %d, %d, %d},\n", r.x(), r.y(), r.width(), r.height());
    std::fprintf(out, "};\n");
    std::fprintf(out, "/* Pose p is rectangles kFloorFirst[p] up to kFloorFirst[p + 1]. */\n");
    std::fprintf(out, "static const int kFloorFirst[kFloorPoses + 1] = {");
    for (std::size_t i = 0; i < first.size(); ++i)
        std::fprintf(out, "%s%d", i == 0 ? "" : ", ", first[i]);
    std::fprintf(out, "};\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
