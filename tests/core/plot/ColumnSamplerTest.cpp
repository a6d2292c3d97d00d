// The column sampler against MPFR: dense high-precision samples of each
// column lie in its spans, and the spans of smooth columns reach no further
// than the function does. The functions are the hard ones of graphing: fast
// oscillation, narrow peaks, poles, domain edges, jumps, and ordinary ones.
#include "core/expr/Expression.h"
#include "core/plot/ColumnSampler.h"
#include "core/plot/CurvePath.h"
#include "oracle/Mpfr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using oracle::Big;
using F = std::function<Big(const Big &)>;
using Span = CColumnSampler::SColumnSpan;

Big Sin(const Big &x) { return Apply(mpfr_sin, x); }
Big Exp(const Big &x) { return Apply(mpfr_exp, x); }
Big Sq(const Big &x) { return x * x; }

struct SHard
{
    const char *text;
    F exact;
    double xMin, xMax, yMin, yMax;
};

const SHard kHard[] = {
    {"sin(1000x)", [](const Big &x) { return Sin(Big(1000) * x); }, -5, 5, -3, 3},
    {"sin(200x)", [](const Big &x) { return Sin(Big(200) * x); }, -10, 10, -3, 3},
    {"exp(sin(300x))", [](const Big &x) { return Exp(Sin(Big(300) * x)); }, -5, 5, -1, 4},
    {"1/(1+((x-0.3001)/0.0001)^2)", [](const Big &x) { return Big(1) / (Big(1) + Sq((x - Big(0.3001)) / Big(0.0001))); },
     -1, 1, -0.5, 1.5},
    {"3exp(-10000(x-0.31)^2)", [](const Big &x) { return Big(3) * Exp(Big(-10000) * Sq(x - Big(0.31))); }, -1, 1, -1, 4},
    {"3/(1+1000000(x+0.51)^2)", [](const Big &x) { return Big(3) / (Big(1) + Big(1000000) * Sq(x + Big(0.51))); },
     -1, 1, -1, 4},
    {"cos(50x)+x", [](const Big &x) { return Apply(mpfr_cos, Big(50) * x) + x; }, -20, 20, -25, 25},
    {"sin(x^2)", [](const Big &x) { return Sin(x * x); }, 10, 30, -2, 2},
    {"sin(1/x)", [](const Big &x) { return Sin(Big(1) / x); }, -1, 1, -2, 2},
    {"x*sin(1/x)", [](const Big &x) { return x * Sin(Big(1) / x); }, -0.5, 0.5, -0.5, 0.5},
    {"tan(x)", [](const Big &x) { return Apply(mpfr_tan, x); }, -10, 10, -5, 5},
    {"tan(x)", [](const Big &x) { return Apply(mpfr_tan, x); }, -500, 500, -5, 5},
    {"ln(abs(sin(x)))", [](const Big &x) { return Apply(mpfr_log, Abs(Sin(x))); }, -10, 10, -6, 2},
    {"sqrt(x)", [](const Big &x) { return Apply(mpfr_sqrt, x); }, -1, 3, -1, 2},
    {"abs(x)/x", [](const Big &x) { return Abs(x) / x; }, -2, 2, -2, 2},
    {"x^2", [](const Big &x) { return x * x; }, -3, 3, -1, 8},
    {"sin(x)", [](const Big &x) { return Sin(x); }, -10, 10, -2, 2},
    {"x^3-4x", [](const Big &x) { return x * x * x - Big(4) * x; }, -3, 3, -10, 10},
};

void PrintTo(const SHard &h, std::ostream *os) { *os << h.text << " on [" << h.xMin << ", " << h.xMax << "]"; }

constexpr int kWidth = 400, kHeight = 300;

// A view of [xMin, xMax] x [yMin, yMax] on the area, sampled at kWidth
// columns of equal width.
struct SView
{
    SPlotMapping map;
    std::vector<double> edges;
    CColumnSampler sampler;

    SView(const char *text, double xMin, double xMax, double yMin, double yMax, CExpression &f)
    {
        f.SetExpression(text);
        map.scaleX = kWidth / (xMax - xMin) / SPlotMapping::kUnit;
        map.scaleY = kHeight / (yMax - yMin) / SPlotMapping::kUnit;
        map.w2 = kWidth / 2;
        map.h2 = kHeight / 2;
        map.panY = static_cast<int>(std::lround(-SPlotMapping::kUnit * map.scaleY * (yMin + yMax) / 2));
        for (int i = 0; i <= kWidth; ++i)
            edges.push_back(xMin + (xMax - xMin) * i / kWidth);
        sampler.Sample(f, edges.data(), kWidth, map, kHeight);
    }
    double Row(const Big &y) const { return map.Row(y.d()); }
    bool Inked(std::size_t column, double row, double slack) const
    {
        for (const Span &s : sampler.SpansOf(column))
            if (row >= s.top - slack && row <= s.bottom + slack)
                return true;
        return false;
    }
};

// The true rows over a column: kDense points, then around the point nearest
// `target` a finer look, so narrow peaks are found.
double ClosestRow(const SHard &h, const SView &v, double a, double b, double target)
{
    constexpr int kDense = 64;
    double best = HUGE_VAL, bestX = a;
    const auto consider = [&](double x) {
        const Big y = h.exact(Big(x));
        if (y.isnan())
            return;
        const double r = v.Row(y);
        if (std::fabs(r - target) < std::fabs(best - target)) {
            best = r;
            bestX = x;
        }
    };
    for (int i = 0; i <= kDense; ++i)
        consider(a + (b - a) * i / kDense);
    for (double w = (b - a) / kDense; w > (b - a) * 1e-9; w /= 2) {
        // bestX moves inside the loop: both candidates come from where it stood.
        const double at = bestX;
        for (double x : {at - w / 2, at + w / 2})
            if (x >= a && x <= b)
                consider(x);
    }
    return best;
}

class HardFunction : public ::testing::TestWithParam<SHard> {};

TEST_P(HardFunction, TrueValuesLieInTheSpans)
{
    const SHard &h = GetParam();
    CExpression f;
    const SView v(h.text, h.xMin, h.xMax, h.yMin, h.yMax, f);
    ASSERT_EQ(v.sampler.Columns().size(), static_cast<std::size_t>(kWidth));
    int misses = 0;
    for (int c = 0; c < kWidth && misses < 5; ++c) {
        const double a = v.edges[c], b = v.edges[c + 1];
        for (int i = 0; i <= 48; ++i) {
            const double x = a + (b - a) * i / 48;
            const Big y = h.exact(Big(x));
            if (y.isnan() || y.isinf())
                continue;
            const double r = v.Row(y);
            if (r < 0 || r > kHeight)
                continue;
            if (!v.Inked(c, r, 1.0)) {
                ++misses;
                ADD_FAILURE() << h.text << " column " << c << " x " << x << " row " << r << " not inked";
                break;
            }
        }
    }
}

TEST_P(HardFunction, SmoothColumnsAreNotFattened)
{
    const SHard &h = GetParam();
    CExpression f;
    const SView v(h.text, h.xMin, h.xMax, h.yMin, h.yMax, f);
    int fat = 0;
    for (int c = 0; c < kWidth && fat < 5; ++c) {
        if (v.sampler.Columns()[c].flags & (CColumnSampler::kPole | CColumnSampler::kPartUndefined))
            continue;
        for (const Span &s : v.sampler.SpansOf(c)) {
            for (double end : {s.top, s.bottom}) {
                if (end <= -1 || end >= kHeight + 1)
                    continue;  // clipped at an edge: the curve goes on beyond
                const double r = ClosestRow(h, v, v.edges[c], v.edges[c + 1], end);
                if (!(std::fabs(r - end) <= 1.5)) {
                    ++fat;
                    ADD_FAILURE() << h.text << " column " << c << " span end " << end << " nearest true row " << r;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, HardFunction, ::testing::ValuesIn(kHard));

// Column of x in a view built by SView.
int ColumnOf(const SView &v, double x)
{
    const auto it = std::upper_bound(v.edges.begin(), v.edges.end(), x);
    return static_cast<int>(it - v.edges.begin()) - 1;
}

TEST(ColumnSampler, NarrowPeaksReachTheirTop)
{
    for (const SHard &h : {kHard[3], kHard[4], kHard[5]}) {
        CExpression f;
        const SView v(h.text, h.xMin, h.xMax, h.yMin, h.yMax, f);
        const double peakX = h.text[0] == '1' ? 0.3001 : h.text[1] == 'e' ? 0.31 : -0.51;
        const double top = v.Row(h.exact(Big(peakX)));
        const auto spans = v.sampler.SpansOf(ColumnOf(v, peakX));
        ASSERT_FALSE(spans.empty()) << h.text;
        EXPECT_NEAR(spans.front().top, top, 1.0) << h.text;
    }
}

TEST(ColumnSampler, ADomainEdgeIsReached)
{
    CExpression f;
    const SView v("sqrt(x)", -1.003, 3, -1, 2, f);  // 0 inside a column
    const int c = ColumnOf(v, 0.0);
    const auto spans = v.sampler.SpansOf(c);
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_NEAR(spans[0].bottom, v.map.Row(0.0), 0.5);
    EXPECT_TRUE(v.sampler.Columns()[c].flags & CColumnSampler::kPartUndefined);
    EXPECT_EQ(v.sampler.SpansOf(c - 2).size(), 0u);  // left of 0: nothing
}

TEST(ColumnSampler, AJumpIsNotJoined)
{
    CExpression f;
    const SView v("abs(x)/x", -2, 2, -2, 2, f);
    for (int c = ColumnOf(v, -0.05); c <= ColumnOf(v, 0.05); ++c) {
        EXPECT_FALSE(v.Inked(c, v.map.Row(0.0), 0.0)) << "column " << c;
    }
}

TEST(ColumnSampler, PolesAreNotJoinedAcrossButRunToTheEdges)
{
    CExpression f;
    const SView v("tan(x)", -10, 10, -5, 5, f);
    const int pole = ColumnOf(v, M_PI / 2);
    EXPECT_TRUE(v.sampler.Columns()[pole].flags & CColumnSampler::kPole);
    // Beside the pole the curve is beyond the edges: nothing joins the branches.
    EXPECT_TRUE(v.sampler.SpansOf(pole).empty());
    EXPECT_TRUE(v.sampler.SpansOf(pole - 1).empty());
    EXPECT_TRUE(v.sampler.SpansOf(pole + 1).empty());
    // Each branch runs to its edge.
    EXPECT_TRUE(v.Inked(ColumnOf(v, std::atan(5.0)), -1.0, 0.0));
    EXPECT_TRUE(v.Inked(ColumnOf(v, M_PI - std::atan(5.0)), kHeight + 1.0, 0.0));

    CExpression g;
    const SView w("ln(abs(sin(x)))", -10, 10, -6, 2, g);
    EXPECT_TRUE(w.Inked(ColumnOf(w, M_PI), kHeight + 1, 0.0));  // the spike runs to the bottom edge
}

TEST(ColumnSampler, OrdinaryCurvesKeepThePolylineSegment)
{
    for (const char *text : {"x^2", "sin(x)", "x^3-4x", "2x+1"}) {
        CExpression f;
        const SView v(text, -3, 3, -16, 16, f);
        int simple = 0;
        for (int c = 0; c < kWidth; ++c) {
            const auto &col = v.sampler.Columns()[c];
            simple += (col.flags & CColumnSampler::kSimple) ? 1 : 0;
            const auto spans = v.sampler.SpansOf(c);
            ASSERT_EQ(spans.size(), 1u) << text << " column " << c;
            const double lo = std::clamp(std::min(col.rowLeft, col.rowRight), -1.0, kHeight + 1.0);
            const double hi = std::clamp(std::max(col.rowLeft, col.rowRight), -1.0, kHeight + 1.0);
            EXPECT_NEAR(spans[0].top, lo, 1.0) << text << " column " << c;
            EXPECT_NEAR(spans[0].bottom, hi, 1.0) << text << " column " << c;
        }
        EXPECT_GE(simple, kWidth * 9 / 10) << text;
    }
}

TEST(ColumnSampler, ViewColumnsAreThePolylineSamples)
{
    CExpression f;
    f.SetExpression("x^2");
    const SPlotMapping map{1, 1, 320, 240, 0, 0};
    CColumnSampler sampler;
    sampler.SampleView(f, 640, 480, 0.02f, HUGE_VAL, map);
    std::vector<double> xs;
    CurveSamplePoints(640, 0.02f, HUGE_VAL, 1, 0, xs);
    ASSERT_EQ(sampler.Columns().size() + 1, xs.size());
    EXPECT_EQ(sampler.Columns().front().left, map.Column(xs.front()));
    EXPECT_EQ(sampler.Columns().back().right, map.Column(xs.back()));
    EXPECT_EQ(sampler.Columns()[7].rowLeft, map.Row(xs[7] * xs[7]));
}

TEST(ColumnSampler, NothingToDrawGivesNoSpans)
{
    CExpression f;
    const SView v("sqrt(-1-x^2)", -1, 1, -1, 1, f);  // undefined everywhere
    EXPECT_TRUE(v.sampler.Spans().empty());
    CExpression g;
    const SView w("x+100", -1, 1, -1, 1, g);  // above the area
    EXPECT_TRUE(w.sampler.Spans().empty());
    CExpression h;
    h.SetExpression("x");
    CColumnSampler s;
    s.SampleView(h, 640, 480, 0.02f, HUGE_VAL, SPlotMapping{0, 1, 320, 240, 0, 0});  // unusable scale
    EXPECT_TRUE(s.Columns().empty());
}

// Noise faster than any column, a few pixels high, on a slope: no enclosure
// is ever settled, so every column would halve to the depth limit. The work
// stays bounded and nothing the function takes is left out.
TEST(ColumnSampler, WorkIsBoundedAndStillCoversTheCurve)
{
    const SHard noise{"x+sin(1000000000x)/1000",
                      [](const Big &x) { return x + Sin(Big(1000000000) * x) / Big(1000); }, -0.005, 0.005, -0.01,
                      0.01};
    CExpression f;
    const SView v(noise.text, noise.xMin, noise.xMax, noise.yMin, noise.yMax, f);
    // Past the budget, one enclosure a column and the halvings under way.
    const std::size_t most = 4096u + 65u * kWidth + CColumnSampler::kMaxDepth;
    EXPECT_LE(v.sampler.m_nRanges, most);
    // Halvings under way when the budget ran out once took a small
    // picture past the bound.
    CExpression g;
    g.SetExpression("TTTTTTFFFcotFFFFFFFFFFFFFFFFFx");
    CColumnSampler small;
    small.SampleView(g, 64, 48, 0.02f, HUGE_VAL, SPlotMapping{1, 1, 32, 24, 0, 0});
    EXPECT_GT(small.m_nRanges, 4096u + 65u * small.Columns().size());
    EXPECT_LE(small.m_nRanges, 4096u + 65u * small.Columns().size() + CColumnSampler::kMaxDepth);
    for (int c = 0; c < kWidth; c += 7)
        for (int i = 0; i <= 16; ++i) {
            const double x = v.edges[c] + (v.edges[c + 1] - v.edges[c]) * i / 16;
            const double r = v.Row(noise.exact(Big(x)));
            if (r >= 0 && r <= kHeight) {
                EXPECT_TRUE(v.Inked(c, r, 1.0)) << "column " << c << " x " << x;
            }
        }
}

// Scales at the ends of the view's range: columns narrower than a double's
// step, rows of 1e300 units. Sampling ends, and every span is a finite,
// ordered piece of the area.
TEST(ColumnSampler, ExtremeScalesFinishWithSaneSpans)
{
    struct SScale
    {
        double sx, sy;
        int panX;
    };
    for (const SScale &z : {SScale{1e17, 1, -1000000000}, SScale{1e-290, 1, 0}, SScale{1, 1e-290, 0},
                            SScale{1, 1e290, 0}, SScale{1e290, 1e290, 0}}) {
        for (const char *text : {"x", "sin(1/x)", "tan(x)", "sqrt(x)", "abs(x)/x"}) {
            CExpression f;
            f.SetExpression(text);
            const SPlotMapping map{z.sx, z.sy, 320, 240, z.panX, 0};
            CColumnSampler s;
            s.SampleView(f, 640, 480, 0.02f, HUGE_VAL, map);
            EXPECT_LE(s.Columns().size(), 4u * (640 + 64)) << text;
            for (const Span &span : s.Spans()) {
                ASSERT_TRUE(std::isfinite(span.top) && std::isfinite(span.bottom)) << text;
                ASSERT_LE(span.top, span.bottom) << text;
                ASSERT_GE(span.top, -1.0) << text;
                ASSERT_LE(span.bottom, 481.0) << text;
            }
        }
    }
    // Columns one double wide: nothing left to halve.
    std::vector<double> edges = {1.0};
    for (int i = 0; i < 64; ++i)
        edges.push_back(std::nextafter(edges.back(), 2.0));
    CExpression f;
    f.SetExpression("1/(x-1)");
    CColumnSampler s;
    s.Sample(f, edges.data(), 64, SPlotMapping{1e17, 1, 0, 240, 0, 0}, 480);
    EXPECT_EQ(s.Columns().size(), 64u);
    EXPECT_TRUE(s.Columns()[0].flags & CColumnSampler::kPole);
}

TEST(ColumnSampler, DegreeModeIsReadOnceAndCleared)
{
    CExpression f;
    f.SetExpression("sin(x)");
    f.m_bDegree = true;
    const double edges[] = {80, 90, 100};
    CColumnSampler s;
    s.Sample(f, edges, 2, SPlotMapping{1, 1, 0, 50, 0, 0}, 100);
    EXPECT_FALSE(f.m_bDegree);
    ASSERT_EQ(s.SpansOf(0).size(), 1u);
    EXPECT_NEAR(s.SpansOf(0)[0].top, 50 - 50.0, 0.5);  // sin 90 degrees is 1
}

}  // namespace
