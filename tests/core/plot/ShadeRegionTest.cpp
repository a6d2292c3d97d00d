#include "core/expr/Expression.h"
#include "core/plot/PlotMapping.h"
#include "core/plot/ShadeRegion.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

// Each polygon runs from the axis along the curve and back to the axis; its
// curve points lie on the row of f at their column (worked out here from
// the formula), clipped to the area; above-axis and below-axis runs are
// separate; undefined parts and poles break the region.
TEST(ShadeRegion, PolygonsFollowTheCurveBetweenTheLimitsAndTheAxis)
{
    const struct { const char *text; std::function<double(double)> f; double from, to;
                   std::vector<bool> above; double firstColumn, lastColumn; } cases[] = {
        {"x", [](double x) { return x; }, -1, 2, {false, true}, 200, 350},
        {"x^2+1", [](double x) { return x * x + 1; }, -2, 2, {true}, 150, 350},
        {"x^3", [](double x) { return x * x * x; }, -100, 100, {false, true}, 0, 500},  // clipped to the area
        {"sqrt(1-x^2)", [](double x) { return std::sqrt(1 - x * x); }, -3, 3, {true}, 200, 300},
        {"1/x", [](double x) { return 1 / x; }, -1, 1.01, {false, true}, 200, 300.5},  // a pole between columns
        {"-x^2", [](double x) { return -x * x; }, 0, 1, {false}, 250, 300},  // a zero at the start
        {"x", [](double x) { return x; }, 2, 1, {}, 0, 0},           // limits reversed
        {"x", [](double x) { return x; }, -100, -20, {}, 0, 0},      // left of the area
        {"x", [](double x) { return x; }, 1, 1, {}, 0, 0},           // no width
        {"x", [](double x) { return x; }, NAN, 1, {}, 0, 0},
    };
    const SPlotMapping map{1.0, 1.0, 250, 200, 0, 0};  // a 500 x 400 area at scale 1
    CShadeRegion region;
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.text) + " from " + std::to_string(c.from));
        CExpression f;
        f.SetExpression(c.text);
        region.Build(f, map, 0, 0, 500, 400, c.from, c.to);
        ASSERT_EQ(region.PolygonCount(), c.above.size());
        const auto &pts = region.Points();
        for (std::size_t i = 0; i < region.PolygonCount(); ++i) {
            SCOPED_TRACE(i);
            const std::size_t b = region.Begin(i), e = region.End(i);
            ASSERT_GE(e - b, 4u);
            EXPECT_EQ(region.Above(i), c.above[i]);
            EXPECT_EQ(pts[b].y, 200);
            EXPECT_EQ(pts[e - 1].y, 200);
            for (std::size_t j = b + 1; j + 1 < e; ++j) {
                const double x = (pts[j].x - 250) / 50;
                const double row = std::clamp(200 - 50 * c.f(x), -1.0, 401.0);
                EXPECT_GE(x, c.from - 1e-9);
                EXPECT_LE(x, c.to + 1e-9);
                EXPECT_TRUE(std::isfinite(row));
                // A crossing of the axis is where the chord meets it.
                if (!(pts[j].y == 200 && std::fabs(row - 200) < 2)) {
                    EXPECT_NEAR(pts[j].y, row, 1e-6) << pts[j].x;
                }
                EXPECT_TRUE(c.above[i] ? pts[j].y <= 200 : pts[j].y >= 200) << pts[j].x << "," << pts[j].y;
            }
        }
        if (!c.above.empty()) {
            EXPECT_NEAR(pts.front().x, c.firstColumn, 1.0);
            EXPECT_NEAR(pts.back().x, c.lastColumn, 1.0);
        }
        // No polygon spans the pole of 1/x or the undefined part of the root.
        for (std::size_t i = 0; i < region.PolygonCount(); ++i) {
            EXPECT_FALSE(pts[region.Begin(i)].x < 249 && pts[region.End(i) - 1].x > 251 && c.above.size() == 2 &&
                         c.from == -1 && c.to > 1);
        }
    }
}

}  // namespace
