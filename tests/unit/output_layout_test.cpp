// Where the toy stands among the outputs: its own output, the margins that
// place a surface anchored to that output's corner, and the walk's left limit.

#include "platform/OutputLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace zorrel::platform {
namespace {

const QSize kToy(69, 96);

// Two outputs side by side, the left one shorter; three of which two lie at
// negative coordinates; one at scale 2, given by its logical size.
const std::vector<QRect> kSideBySide = {{0, 0, 1024, 768}, {1024, 0, 1280, 1024}};
const std::vector<QRect> kMixed = {
    {0, 0, 1920, 1080}, {-1280, 200, 1280, 720}, {0, -900, 1600, 900}};
const std::vector<QRect> kScaled = {{0, 0, 960, 540}, {960, 0, 1024, 768}}; // the first at scale 2

TEST(OutputLayout, TheOwnOutputIsTheOneShowingMostOfTheToyElseTheNearest)
{
    const struct {
        QPoint at;
        std::vector<QRect> outputs;
        int own;
    } rows[] = {
        {{100, 100}, kSideBySide, 0},  // wholly on the first
        {{1100, 900}, kSideBySide, 1}, // below the first's bottom: only the second
        {{990, 100}, kSideBySide, 1},  // 34 px left of the seam, 35 right of it
        {{991, 100}, kSideBySide, 1},  // 33 and 36
        {{989, 100}, kSideBySide, 0},  // 35 and 34
        {{-500, 500}, kMixed, 1},      // on the output left of the origin
        {{100, -500}, kMixed, 2},      // on the one above
        {{-2000, 300}, kMixed, 1},     // off every output: the nearest, to its left
        {{500, 3000}, kMixed, 0},      // far below: the bottom one
        {{900, 100}, kScaled, 0},      // 60 of 69 columns on the scaled one
        {{100, 100}, {}, -1},          // no outputs at all
    };
    for (const auto &[at, outputs, own] : rows)
        EXPECT_EQ(ownOutput(QRect(at, kToy), outputs), own) << at.x() << "," << at.y();
}

TEST(OutputLayout, MarginsAreTheDesktopPositionLessTheOwnOutputsCorner)
{
    const struct {
        QPoint at;
        std::vector<QRect> outputs;
        int output;
        QPoint margins;
    } rows[] = {
        {{100, 200}, kSideBySide, 0, {100, 200}},
        {{1500, 300}, kSideBySide, 1, {476, 300}},
        {{-30, 200}, kSideBySide, 0, {-30, 200}}, // partly off the left edge
        {{995, 100}, kSideBySide, 1, {-29, 100}}, // across the seam, mostly right
        {{-500, 250}, kMixed, 1, {780, 50}},      // an output at negative x
        {{100, -880}, kMixed, 2, {100, 20}},      // one above the origin
        {{1000, 100}, kScaled, 1, {40, 100}},     // logical sizes, not device ones
        {{5, 5}, {}, -1, {0, 0}},                 // nowhere to go
    };
    for (const auto &[at, outputs, output, margins] : rows) {
        const OutputPlace place = placeOnOutput(QRect(at, kToy), outputs);
        EXPECT_EQ(place.output, output) << at.x() << "," << at.y();
        EXPECT_EQ(place.margins, margins) << at.x() << "," << at.y();
    }
}

TEST(OutputLayout, TheWalkGoesLeftOverOutputsThatTouchAndShowTheWholeToy)
{
    const std::vector<QRect> row = {{0, 0, 800, 600}, {800, 0, 1024, 768}, {1824, 0, 1024, 768}};
    const std::vector<QRect> gap = {{0, 0, 800, 600}, {900, 0, 1024, 768}};
    const struct {
        QPoint at;
        std::vector<QRect> outputs;
        int left;
    } rows[] = {
        {{2000, 100}, row, 0},   // over two seams, each output high enough
        {{2000, 550}, row, 800}, // the leftmost is too short for the toy there
        {{900, 100}, row, 0},    // from the middle one
        {{100, 100}, row, 0},    // on the leftmost already
        {{1000, 100}, gap, 900}, // a gap between outputs is never walked into
        {{-500, 300}, kMixed, -1280},
        {{500, 150}, kMixed, 0},       // the left output starts below the toy's head
        {{500, 300}, kMixed, -1280},   // it shows the whole toy here
        {{5000, 5000}, kMixed, -1280}, // off every output: the leftmost edge of all
    };
    for (const auto &[at, outputs, left] : rows)
        EXPECT_EQ(walkLeftLimit(QRect(at, kToy), outputs), left) << at.x() << "," << at.y();
}

} // namespace
} // namespace zorrel::platform
