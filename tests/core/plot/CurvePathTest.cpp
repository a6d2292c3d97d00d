#include "core/plot/CurvePath.h"

#include "core/expr/Expression.h"
#include "core/plot/ViewState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using Pt = CCurvePath::SPoint;

struct SView
{
    int w = 500, h = 400;
    double sx = 1, sy = 1;
    int panX = 0, panY = 0;
};

CCurvePath Plot(const std::string &text, const SView &v = {})
{
    CExpression f;
    f.SetExpression(text);
    CViewState s;
    s.SetClientSize(v.w, v.h);
    s.m_dScaleX = v.sx;
    s.m_dScaleY = v.sy;
    CCurvePath path;
    PlotCurve(f, v.w, v.h, s.SampleStep(), s.HalfRange(v.w), v.sx, v.sy, v.panY, v.panX, path);
    return path;
}

// Every drawn segment of every polyline.
std::vector<std::pair<Pt, Pt>> Segments(const CCurvePath &p)
{
    std::vector<std::pair<Pt, Pt>> out;
    for (std::size_t i = 0; i < p.PolylineCount(); ++i)
        for (std::size_t k = p.Begin(i) + 1; k < p.End(i); ++k)
            out.emplace_back(p.Points()[k - 1], p.Points()[k]);
    return out;
}

TEST(PlotCurve, SamplesFollowTheMappingOnePerColumn)
{
    // Independent oracle: the sample positions of the view's formulas.
    const CCurvePath p = Plot("sin(x)");
    ASSERT_EQ(p.PolylineCount(), 1u);
    const float step = static_cast<float>(1.0 / 50);
    const double half = 500 / 100.0 + 5 * static_cast<double>(step);
    std::vector<Pt> expected;
    for (double x = -half; x <= half; x += step) {
        const Pt q{std::trunc(50 * x + 250), std::trunc(200 - 50 * std::sin(x))};
        if (expected.empty() || !(expected.back() == q))
            expected.push_back(q);
    }
    // Every vertex is a sample, and every sample lies on the polyline (flat
    // runs may be drawn as one segment).
    const auto line = p.Polyline(0);
    for (const Pt &v : line)
        EXPECT_NE(std::find(expected.begin(), expected.end(), v), expected.end()) << v.x << "," << v.y;
    auto onLine = [&line](const Pt &q) {
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
            const Pt a = line[i], b = line[i + 1];
            const bool inX = std::min(a.x, b.x) <= q.x && q.x <= std::max(a.x, b.x);
            const bool inY = std::min(a.y, b.y) <= q.y && q.y <= std::max(a.y, b.y);
            if (inX && inY && (a.x == b.x || a.y == b.y || q == a || q == b))
                return true;
        }
        return false;
    };
    for (const Pt &q : expected)
        EXPECT_TRUE(onLine(q)) << q.x << "," << q.y;
    EXPECT_EQ(line.front(), expected.front());
    EXPECT_EQ(line.back(), expected.back());
    EXPECT_LE(p.m_nEvaluations, 520u);  // smooth: hardly any extra samples
}

TEST(PlotCurve, BranchesRunToTheEdges)
{
    // Each curve leaves the area at an edge (row -1 or 401) or ends where it
    // stops being defined; ln(x) only right of 0.
    // 1000*x is visible only within 0.004 of 0, between two samples; the
    // crossing is continuous and must appear as a line through the origin.
    for (double k : {1.0, 1000.0}) {
        const CCurvePath line = Plot(std::to_string(k) + "*x");
        ASSERT_EQ(line.PolylineCount(), 1u) << k;
        const auto l = line.Polyline(0);
        EXPECT_EQ(l.front().y, 401);
        EXPECT_EQ(l.back().y, -1);
        EXPECT_NEAR(l.front().x, 250 - 201 / k, 1.5);
        EXPECT_NEAR(l.back().x, 250 + 201 / k, 1.5);
        for (const Pt &q : l)
            EXPECT_NEAR(q.y, 200 - k * (q.x - 250), k) << k;
    }

    const CCurvePath rec = Plot("1/x");
    ASSERT_EQ(rec.PolylineCount(), 2u);
    EXPECT_EQ(rec.Polyline(0).back().y, 401);  // falls to the bottom edge before 0
    EXPECT_LE(rec.Polyline(0).back().x, 250);
    EXPECT_EQ(rec.Polyline(1).front().y, -1);  // comes down from the top after 0
    EXPECT_GE(rec.Polyline(1).front().x, 250);

    // Poles at +-pi/2 and +-3pi/2 in the range -5.1 .. 5.1: five branches.
    const CCurvePath tan = Plot("tan(x)");
    ASSERT_EQ(tan.PolylineCount(), 5u);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(tan.Polyline(i).back().y, -1) << i;
        EXPECT_EQ(tan.Polyline(i + 1).front().y, 401) << i;
    }

    const CCurvePath ln = Plot("ln(x)");
    ASSERT_EQ(ln.PolylineCount(), 1u);
    for (const Pt &q : ln.Points())
        EXPECT_GE(q.x, 250);
    EXPECT_EQ(ln.Polyline(0).front().y, 401);  // runs down to the bottom edge near 0
    EXPECT_LE(ln.Polyline(0).front().x, 252);

    const CCurvePath root = Plot("(x^2-1)^0.5");
    ASSERT_EQ(root.PolylineCount(), 2u);
    for (const Pt &q : root.Points())
        EXPECT_TRUE(q.x <= 200 || q.x >= 300) << q.x;
    // Each branch is drawn right up to the end of the domain, on the axis.
    EXPECT_EQ(root.Polyline(0).back(), (Pt{200, 200}));
    EXPECT_EQ(root.Polyline(1).front(), (Pt{300, 200}));
    EXPECT_EQ(Plot("ln(x)+ln(-x)").PolylineCount(), 0u);
    EXPECT_EQ(Plot("").PolylineCount(), 0u);
}

TEST(PlotCurve, PolesAreNeverJoinedWhateverTheSampleAlignment)
{
    // No drawn segment may run across the middle half of the area: that would
    // be a line joined across a pole.
    const char *texts[] = {"1/x", "tan(x)", "1/(x-0.000000001)", "1/(x-0.3)", "-1/(x+0.0123)", "1/x^3",
                           "tan(x)+1", "1/(x-0.01)"};
    const SView views[] = {{}, {501, 399, 1, 1, 7, -3}, {640, 480, 0.37, 2.5, -111, 40},
                           {300, 200, 16, 0.01, 0, 0}, {333, 777, 0.3, 0.5, 13, 0}};
    for (const char *t : texts)
        for (const SView &v : views)
            for (const auto &[a, b] : Segments(Plot(t, v)))
                EXPECT_LE(std::fabs(a.y - b.y), v.h / 2.0) << t << ": (" << a.x << "," << a.y << ")-(" << b.x << ","
                                                           << b.y << ")";
    // Zoomed out, samples on both sides of 0 are visible; the jump between
    // them must still be recognised as a pole, so no segment joins a point
    // below the axis to one above it.
    const CCurvePath p = Plot("1/x", {500, 400, 2, 0.01});
    EXPECT_GE(p.PolylineCount(), 2u);
    for (const auto &[a, b] : Segments(p))
        EXPECT_FALSE((a.y < 195 && b.y > 205) || (a.y > 205 && b.y < 195));
}

TEST(PlotCurve, ExtremeScalesPansAndSizesTerminate)
{
    const double scales[] = {CViewState::kMinScale, 1e-40, 1e-9, 1, 1e9, 1e40, CViewState::kMaxScale};
    const int pans[] = {-CViewState::kMaxPan, -123456, 0, 98765, CViewState::kMaxPan};
    const int sizes[][2] = {{0, 0}, {1, 1}, {0, 500}, {3840, 2160}};
    const char *texts[] = {"sin(x)", "1/x", "tan(x)", "x^x"};
    for (double sx : scales)
        for (double sy : {1e-200, 1.0, 1e200})
            for (int pan : pans)
                for (const auto &sz : sizes)
                    for (const char *t : texts) {
                        SView v{sz[0], sz[1], sx, sy, pan, -pan};
                        const CCurvePath p = Plot(t, v);
                        EXPECT_LE(p.Points().size(), 40u * (sz[0] + 64));
                        for (const Pt &q : p.Points()) {
                            ASSERT_TRUE(std::isfinite(q.x) && std::isfinite(q.y));
                            ASSERT_GE(q.y, -1);
                            ASSERT_LE(q.y, sz[1] + 1);
                        }
                    }
    // Float steps cannot hold a pixel here; the curve must still appear.
    for (double s : {1e-45, 1e45}) {
        const CCurvePath p = Plot("x", {500, 400, s, s});
        ASSERT_EQ(p.PolylineCount(), 1u) << s;
        EXPECT_GT(p.Points().size(), 100u);
    }
}

}  // namespace
