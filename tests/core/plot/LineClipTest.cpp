#include "core/plot/LineClip.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(LineClip, ClipsToTheArea)
{
    const double inf = INFINITY;
    const struct { double px, py, dx, dy, tMin, tMax; bool hits; SPixelSegment s; } cases[] = {
        {50, 50, 1, 1, -inf, inf, true, {0, 0, 100, 100}},       // a diagonal through the middle
        {50, 50, 0, -1, -10, 10, true, {50, 60, 50, 40}},       // limited by its own ends
        {-1e12, 50, 1, 0, -inf, inf, true, {0, 50, 100, 50}},   // tangent point far outside
        {50, 500, 1, 0, -inf, inf, false, {}}, {50, 50, 0, 0, -inf, inf, false, {}},
        {inf, 50, 1, 0, -inf, inf, false, {}}, {50, 50, 0, 1, 60, 70, false, {}},
    };
    for (const auto &c : cases) {
        const auto s = ClipLine(c.px, c.py, c.dx, c.dy, c.tMin, c.tMax, 0, 0, 100, 100);
        ASSERT_EQ(s.has_value(), c.hits) << c.px << "," << c.py;
        if (s) {
            EXPECT_DOUBLE_EQ(s->x1, c.s.x1);
            EXPECT_DOUBLE_EQ(s->y1, c.s.y1);
            EXPECT_DOUBLE_EQ(s->x2, c.s.x2);
            EXPECT_DOUBLE_EQ(s->y2, c.s.y2);
        }
    }
}

}  // namespace
