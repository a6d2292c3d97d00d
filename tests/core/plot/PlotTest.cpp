#include "core/expr/Expression.h"
#include "core/plot/CurvePath.h"
#include "core/plot/GridLayout.h"
#include "core/plot/ViewState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

namespace {

using Fields = std::array<std::string, 4>;
using Pt = CCurvePath::SPoint;
using Set = std::set<double>;

CViewState Sized(int w, int h)
{
    CViewState v;
    v.SetClientSize(w, h);
    return v;
}

TEST(ViewState, MappingFollowsTheUnitLengthAndTruncatedHalves)
{
    CViewState v = Sized(501, 401);  // odd sizes: halves are 250 and 200
    v.m_dScaleX = 2, v.m_dScaleY = 0.5, v.m_nPanX = 10, v.m_nPanY = -20;
    EXPECT_DOUBLE_EQ(v.PixelColumn(0), 260);
    EXPECT_DOUBLE_EQ(v.PixelColumn(1), 360);
    EXPECT_DOUBLE_EQ(v.PixelRow(0), 220);
    EXPECT_DOUBLE_EQ(v.PixelRow(2), 170);
    for (double x : {-3.5, 0.01, 7.0}) {
        EXPECT_NEAR(v.UnitX(v.PixelColumn(x)), x, 1e-12);
        EXPECT_NEAR(v.UnitY(v.PixelRow(x)), x, 1e-12);
    }
    // The visible area uses the exact halves.
    EXPECT_DOUBLE_EQ(v.VisibleArea().xMin, -501.0 / 200 - 10.0 / 100);
    EXPECT_DOUBLE_EQ(v.VisibleArea().yMax, 401.0 / 50 + 20.0 / 25);
}

TEST(ViewState, MappingStaysInBounds)
{
    CViewState v;
    v.m_dScaleX = 0, v.m_dScaleY = NAN, v.m_nPanX = -2147483647 - 1;
    v.SanitizeMapping();
    EXPECT_EQ(v.m_dScaleX, CViewState::kMinScale);
    EXPECT_EQ(v.m_dScaleY, 1.0);  // NaN: the default
    EXPECT_EQ(v.m_nPanX, -CViewState::kMaxPan);
    v.m_dScaleX = -4, v.m_dScaleY = INFINITY;
    v.SanitizeMapping();
    EXPECT_EQ(v.m_dScaleX, CViewState::kMinScale);
    EXPECT_EQ(v.m_dScaleY, CViewState::kMaxScale);
    // Panning saturates, and drags back from the limit.
    for (int i = 0; i < 10; ++i)
        v.PanBy(2000000000, -2000000000);
    v.PanBy(-5, 7);
    EXPECT_EQ(v.m_nPanX, CViewState::kMaxPan - 5);
    EXPECT_EQ(v.m_nPanY, CViewState::kMaxPan - 7);
    // Endless zooming stays finite and positive.
    CViewState z = Sized(800, 600);
    int held = 0;
    for (int i = 0; i < 5000; ++i)
        held += z.Zoom(0.5, 2) ? 1 : 0;
    EXPECT_LT(held, 1000);  // the steps beyond the bounds change nothing
    const SUnitArea a = z.VisibleArea();
    EXPECT_TRUE(std::isfinite(a.xMin) && std::isfinite(a.xMax) && a.xMax > a.xMin);
    EXPECT_TRUE(std::isfinite(a.yMin) && std::isfinite(a.yMax) && a.yMax > a.yMin);
    EXPECT_GT(z.SampleStep(), 0);  // a float step of one pixel is still representable
    EXPECT_TRUE(std::isfinite(z.HalfRange(800)));
}

TEST(ViewState, DomainAndRangeMessages)
{
    const SViewMessage domainMissing{"Error 0x07:\n\nOne of Domain values is missing!\nDefault Domain will be used.",
                                     "Domain Error"};
    const SViewMessage domainInvalid{
        "Error 0x06:\n\n'x max' must be greater that 'x min'!\nDefault Domain will be used.", "Invalid Domain"};
    const SViewMessage rangeMissing{"Error 0x07:\n\nOne of Range values is missing!\nDefault Range will be used.",
                                    "Range Error"};
    const SViewMessage rangeInvalid{"Error 0x06:\n\n'y max' must be greater that 'y min'!\nDefault Range will be used.",
                                    "Invalid Range"};
    const struct { Fields fields; std::vector<SViewMessage> expected; bool xKept, yKept; } cases[] = {
        {{"1", "", "", ""}, {domainMissing}, true, true},  {{"", "2", "-1", "1"}, {domainMissing}, true, false},
        {{"3", "3", "", ""}, {domainInvalid}, true, true}, {{"", "", "", "4"}, {rangeMissing}, true, true},
        {{"", "", "5", "-5"}, {rangeInvalid}, true, true}, {{"4", "1", "x", ""},
        {domainInvalid, rangeMissing}, true, true},
        // Text that is not a number reads as 0: "abc" to "abc" is 0 to 0.
        {{"abc", "abc", "", ""}, {domainInvalid}, true, true}, {{"abc", "4", "", ""}, {}, false, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fields[0] + "|" + c.fields[1] + "|" + c.fields[2] + "|" + c.fields[3]);
        CViewState v = Sized(500, 400);
        v.m_dScaleX = 3, v.m_nPanX = 7, v.m_dScaleY = 0.25, v.m_nPanY = -9, v.m_bRangeEdited = true;
        const auto msgs = v.ApplyDomainRange(c.fields);
        ASSERT_EQ(msgs.size(), c.expected.size());
        for (std::size_t i = 0; i < msgs.size(); ++i) {
            EXPECT_EQ(msgs[i].text, c.expected[i].text);
            EXPECT_EQ(msgs[i].caption, c.expected[i].caption);
        }
        EXPECT_EQ(v.m_dScaleX == 3 && v.m_nPanX == 7, c.xKept);
        EXPECT_EQ(v.m_dScaleY == 0.25 && v.m_nPanY == -9, c.yKept);
        EXPECT_FALSE(v.m_bRangeEdited);
    }
}

// A typed domain or range is either shown as typed, both ends on the edges,
// or refused with a message and the mapping left as it was: never another region.
TEST(ViewState, TypedAreasAreShownAsTypedOrRefused)
{
    const struct { Fields f; bool xShownAt500, yShownAt500; } cases[] = {
        {{"-1", "3", "-2", "0.5"}, true, true},      {{"0.01", "0.0100001", "", ""}, true, true},
        {{"5", "5.000001", "", ""}, false, true},  // the pan would pass 32 bits
        {{"-1e300", "1e300", "", ""}, false, true},  // the scale would pass its bound
        {{"-1e70", "1e70", "-1e-3", "1e-3"}, true, true},
        {{"-1e308", "1e308", "-1e308", "1e308"}, false, false},  // the difference overflows
        {{"1e-300", "2e-300", "0", "1e-310"}, false, false}, {{"-1e400", "1e400", "0", "1"}, false, true},
    };
    for (const auto &c : cases) {
        for (int size : {1, 500, 520, 3840}) {  // 520: a width that 50 does not divide
            SCOPED_TRACE(c.f[0] + " " + c.f[1] + " " + c.f[2] + " " + c.f[3] + " at " + std::to_string(size));
            CViewState v = Sized(size, size);
            v.m_dScaleX = v.m_dScaleY = 3;
            v.m_nPanX = v.m_nPanY = 7;
            const auto msgs = v.ApplyDomainRange(c.f);
            const SUnitArea a = v.VisibleArea();
            const double got[][2] = {{a.xMin, a.xMax}, {a.yMin, a.yMax}};
            const double scale[] = {v.m_dScaleX, v.m_dScaleY};
            const std::int32_t pan[] = {v.m_nPanX, v.m_nPanY};
            const char *captions[] = {"Invalid Domain", "Invalid Range"};
            for (int axis = 0; axis < 2; ++axis) {
                if (c.f[2 * axis].empty())
                    continue;
                const bool refused = std::any_of(msgs.begin(), msgs.end(),
                                                 [&](const SViewMessage &m) { return m.caption == captions[axis]; });
                EXPECT_TRUE(size != 500 || !refused == (axis == 0 ? c.xShownAt500 : c.yShownAt500)) << axis;
                if (refused) {
                    EXPECT_EQ(scale[axis], 3) << axis;
                    EXPECT_EQ(pan[axis], 7) << axis;
                } else {
                    const double pixel = 1.0 / (CViewState::kUnit * scale[axis]);
                    EXPECT_NEAR(got[axis][0], std::strtod(c.f[2 * axis].c_str(), nullptr), pixel) << axis;
                    EXPECT_NEAR(got[axis][1], std::strtod(c.f[2 * axis + 1].c_str(), nullptr), pixel) << axis;
                }
            }
            for (const auto &t : v.RangeFieldTexts())
                EXPECT_FALSE(t.empty());
        }
    }
}

TEST(ViewState, AutoScaleChoosesScalesFromTheMeanSlope)
{
    const struct { const char *text; double sx, sy; } cases[] = {
        // Mean slopes of absolute secants over three runs: x^2 has 20/3.
        {"x^2", 1, 1}, {"200*x", 1, std::ldexp(1.0, -4)}, {"-200*x", 1, std::ldexp(1.0, -4)}, {"0.05*x", 16, 1},
        {"0.0005*x", std::ldexp(1.0, -4), 1}, {"10^40*x", 1, std::ldexp(1.0, 4 * (2 - 41))},
        // Unchanged: slope 0, NaN slope, more than 50 divisions or multiplications, nothing compiled.
        {"7", 3, 5}, {"ln(x)", 3, 5}, {"10^60*x", 3, 5}, {"10^(-60)*x", 3, 5}, {"", 3, 5},
    };
    for (const auto &c : cases) {
        CExpression f;
        f.SetExpression(c.text);
        double sx = 3, sy = 5;
        CViewState::AutoScale(f, sx, sy);
        EXPECT_EQ(sx, c.sx) << c.text;
        EXPECT_EQ(sy, c.sy) << c.text;
    }
    // The toggle scales the selected function only, and leaves the pans.
    CViewState v;
    v.m_aFunctions[2].SetExpression("200*x");
    v.m_nSelected = 2, v.m_nPanX = 40;
    v.ToggleAutoscale();
    EXPECT_EQ(v.m_dScaleY, 1.0 / 16);
    EXPECT_EQ(v.m_nPanX, 40);
}

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
    CViewState s = Sized(v.w, v.h);
    s.m_dScaleX = v.sx, s.m_dScaleY = v.sy;
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

// Each curve leaves the area at an edge (row -1 or 401) or ends where it
// stops being defined.
TEST(PlotCurve, BranchesRunToTheEdges)
{
    // 1000*x is visible only within 0.004 of 0, between two samples; the
    // crossing is continuous and must appear as a line through the origin.
    const CCurvePath steep = Plot("1000*x");
    ASSERT_EQ(steep.PolylineCount(), 1u);
    EXPECT_EQ(steep.Polyline(0).front().y, 401);
    EXPECT_EQ(steep.Polyline(0).back().y, -1);
    EXPECT_NEAR(steep.Polyline(0).front().x, 250, 1.5);
    EXPECT_NEAR(steep.Polyline(0).back().x, 250, 1.5);
    // Each branch is drawn right up to the end of the domain, on the axis.
    const CCurvePath root = Plot("(x^2-1)^0.5");
    ASSERT_EQ(root.PolylineCount(), 2u);
    for (const Pt &q : root.Points())
        EXPECT_TRUE(q.x <= 200 || q.x >= 300) << q.x;
    EXPECT_EQ(root.Polyline(0).back(), (Pt{200, 200}));
    EXPECT_EQ(root.Polyline(1).front(), (Pt{300, 200}));
    EXPECT_EQ(Plot("").PolylineCount(), 0u);
}

TEST(PlotCurve, PolesAreNeverJoinedWhateverTheSampleAlignment)
{
    // No drawn segment may run across the middle half of the area: that would
    // be a line joined across a pole.
    const SView views[] = {{}, {501, 399, 1, 1, 7, -3}, {640, 480, 0.37, 2.5, -111, 40}, {300, 200, 16, 0.01, 0, 0},
                           {333, 777, 0.3, 0.5, 13, 0}};
    for (const char *t : {"1/x", "tan(x)", "1/(x-0.000000001)", "1/(x-0.3)", "-1/(x+0.0123)", "1/x^3", "tan(x)+1",
                          "1/(x-0.01)"})
        for (const SView &v : views)
            for (const auto &[a, b] : Segments(Plot(t, v)))
                EXPECT_LE(std::fabs(a.y - b.y), v.h / 2.0) << t << ": (" << a.x << "," << a.y << ")-(" << b.x << ","
                                                           << b.y << ")";
    // Zoomed out, samples on both sides of 0 are visible; the jump between
    // them must still be recognised as a pole.
    const CCurvePath p = Plot("1/x", {500, 400, 2, 0.01});
    EXPECT_GE(p.PolylineCount(), 2u);
    for (const auto &[a, b] : Segments(p))
        EXPECT_FALSE((a.y < 195 && b.y > 205) || (a.y > 205 && b.y < 195));
}

TEST(PlotCurve, ExtremeScalesPansAndSizesTerminate)
{
    const int sizes[][2] = {{0, 0}, {1, 1}, {0, 500}, {3840, 2160}};
    for (double sx : {CViewState::kMinScale, 1e-40, 1e-9, 1.0, 1e9, 1e40, CViewState::kMaxScale})
        for (double sy : {1e-200, 1.0, 1e200})
            for (int pan : {-CViewState::kMaxPan, -123456, 0, 98765, CViewState::kMaxPan})
                for (const auto &sz : sizes)
                    for (const char *t : {"sin(x)", "1/x", "tan(x)", "x^x"}) {
                        const CCurvePath p = Plot(t, {sz[0], sz[1], sx, sy, pan, -pan});
                        EXPECT_LE(p.Points().size(), 40u * (sz[0] + 64));
                        for (const Pt &q : p.Points())
                            ASSERT_TRUE(std::isfinite(q.x) && q.y >= -1 && q.y <= sz[1] + 1) << q.x << "," << q.y;
                    }
    // Float steps cannot hold a pixel here; the curve must still appear.
    for (double s : {1e-45, 1e45}) {
        const CCurvePath p = Plot("x", {500, 400, s, s});
        ASSERT_EQ(p.PolylineCount(), 1u) << s;
        EXPECT_GT(p.Points().size(), 100u);
    }
}

Set InArea(const std::vector<double> &v, double limit)
{
    Set s;
    for (double x : v)
        if (x >= 0 && x <= limit)
            s.insert(x);
    return s;
}

const CGridLayout::SLabel *Find(const std::vector<CGridLayout::SLabel> &labels, const std::string &text)
{
    const auto it = std::find_if(labels.begin(), labels.end(), [&](const auto &l) { return l.text == text; });
    return it == labels.end() ? nullptr : &*it;
}

TEST(GridLayout, CentredViewHasLinesEveryFiftyPixelsAndLabelsEveryHundred)
{
    const CGridLayout g = CGridLayout::Compute(500, 400, 1, 1, 1, 0, 0, true);
    EXPECT_EQ(g.m_dAxisColumn, 250);
    EXPECT_EQ(g.m_dAxisRow, 200);
    EXPECT_EQ(InArea(g.m_aGridColumns, 500), (Set{0, 50, 100, 150, 200, 300, 350, 400, 450, 500}));
    EXPECT_EQ(InArea(g.m_aGridRows, 400), (Set{0, 50, 100, 150, 250, 300, 350, 400}));
    EXPECT_EQ(InArea(g.m_aTickColumns, 500), (Set{50, 150, 350, 450}));
    EXPECT_EQ(InArea(g.m_aTickRows, 400), (Set{0, 100, 300, 400}));
    // Labels every 100 px, none at the origin (their values follow the mapping below).
    ASSERT_NE(Find(g.m_aXLabels, "2.000000"), nullptr);
    EXPECT_EQ(Find(g.m_aXLabels, "2.000000")->left, 340);
    EXPECT_FALSE(Find(g.m_aXLabels, "1.000000") || Find(g.m_aXLabels, "0.000000") || Find(g.m_aYLabels, "0.000000"));
    // The spacing, not the value, decides the format: 1000 units per 100 px are written with an exponent.
    EXPECT_NE(Find(CGridLayout::Compute(500, 400, 1, 0.002, 1, 0, 0, true).m_aXLabels, "1.0000e+03"), nullptr);
    // Print scale 2: lines every 100 px (the loops' 50 px margin is not
    // scaled), values kept.
    const CGridLayout p = CGridLayout::Compute(1000, 800, 2, 1, 1, 0, 0, true);
    EXPECT_EQ(InArea(p.m_aGridColumns, 1000), (Set{100, 200, 300, 400, 600, 700, 800, 900}));
    ASSERT_NE(Find(p.m_aXLabels, "2.000000"), nullptr);
    EXPECT_EQ(Find(p.m_aXLabels, "2.000000")->left, 700 - 10);
}

TEST(GridLayout, LabelValuesFollowTheMappingWhenPanned)
{
    const int panX = 137, panY = -61;
    const double sx = 0.5, sy = 4;
    const CGridLayout g = CGridLayout::Compute(640, 480, 1, sx, sy, panX, panY, true);
    // Oracle: the unit of a label's column/row by the view's mapping.
    for (const auto &l : g.m_aXLabels)
        EXPECT_NEAR(std::stod(l.text), (l.left + 10 - panX - 320) / (50 * sx), 1e-6) << l.text;
    for (const auto &l : g.m_aYLabels)
        EXPECT_NEAR(std::stod(l.text), (l.top + 8 - 240 + panY) / (-50 * sy), 1e-6) << l.text;
    // Far out, near 10^10, only the 15 digits a double holds: 15 and the point.
    for (const auto &l : CGridLayout::Compute(640, 480, 1, 2.0 / 999, 1, -987654321, 0, true).m_aXLabels)
        EXPECT_EQ(l.text.size(), 16u) << l.text;
}

TEST(GridLayout, FarPansAndDegenerateInputsStayCheap)
{
    for (int px : {-1000000000, -987654321, 123456789, 1000000000}) {
        for (int py : {-1000000000, -987654321, 123456789, 1000000000}) {
            const CGridLayout g = CGridLayout::Compute(500, 400, 1, 1, 1, px, py, true);
            EXPECT_LT(g.m_aGridColumns.size(), 40u);
            EXPECT_LT(g.m_aXLabels.size(), 20u);
            // Lines every 50 px across the area, aligned with the far origin.
            const Set cols = InArea(g.m_aGridColumns, 500);
            ASSERT_GE(cols.size(), 9u) << px;
            for (double c : cols)
                EXPECT_EQ(std::fmod(std::fabs(c - 250.0 - px), 50.0), 0.0);
            ASSERT_GE(InArea(g.m_aGridRows, 400).size(), 7u) << py;
        }
    }
    for (double k : {0.0, -1.0, 1e-300, double(NAN), 1e300})
        EXPECT_LE(CGridLayout::Compute(500, 400, k, 1, 1, 0, 0, true).m_aGridRows.size(), 4000u) << k;
    EXPECT_EQ(CGridLayout::Compute(0, 0, 1, 1, 1, 0, 0, true).m_dAxisColumn, 0);
}

}  // namespace
