#include "core/analysis/AnalysisRun.h"
#include "core/analysis/DecimalRounder.h"
#include "core/analysis/ExtremaFinder.h"
#include "core/analysis/InflexFinder.h"
#include "core/analysis/RootFinder.h"
#include "core/analysis/ValueTests.h"
#include "core/expr/ShownNumber.h"

#include "oracle/Mpfr.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <numbers>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ValueTests, RoundToDecimalsHalfAwayFromZeroOnTheNextDigit)
{
    const struct { double v; int n; double expected; } cases[] = {
        {1.25, 1, 1.3},    {-1.25, 1, -1.3},      {1.24997, 1, 1.2},       {0.1234565, 6, 0.123457},
        {2.0000004, 6, 2}, {0.9999996, 6, 1},     {-0.9999996, 6, -1},     {1.449999, 1, 1.4},  // later digits ignored
        {0.0, 7, 0.0},     {123456.75, 1, 123456.8}, {9.3e18, 2, 9.3e18},  {1e300, 3, 1e300},
    };
    for (const auto &c : cases)
        EXPECT_NEAR(RoundToDecimals(c.v, c.n), c.expected, 1e-12 * std::fmax(1.0, std::fabs(c.expected))) << c.v;
    EXPECT_TRUE(std::isnan(RoundToDecimals(kNaN, 3)));
    EXPECT_EQ(RoundToDecimals(-kInf, 3), -kInf);
}

TEST(DecimalRounder, RoundingTwiceChangesNothing)
{
    std::vector<double> values = {2.5e19, -2.5e19, 9.2e18, kNaN, kInf, -1.23456789, 0.0000006, 0.00000049999,
                                  -0.0, 0.0, 1.9999995, -7.45, 123456789.1234565, 4503599627370495.5};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> uniform(-1e6, 1e6);
    for (int i = 0; i < 20000; ++i)
        values.push_back(uniform(random) / (1 + i % 1000));
    const auto same = [](double a, double b) {
        return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
    };
    // The scan rounds a value once and relies on a second rounding changing nothing.
    for (const int n : {1, 6, 7}) {
        const CDecimalRounder round(n);
        for (const double v : values)
            EXPECT_TRUE(same(round(round(v)), round(v))) << v << " " << n;
    }
}

std::vector<double> Roots(const CRootFinder &finder)
{
    std::vector<double> roots;
    for (int i = 0; i < finder.m_nCount; ++i)
        if (finder.m_bValid[i])
            roots.push_back(finder.m_dRoots[i]);
    return roots;
}

TEST(RootSearch, ListsTheKnownRoots)
{
    const struct { const char *function; bool near; double from, to; std::vector<double> roots; double within; }
        cases[] = {
        {"x", false, -10, 10, {0.0}, 0.0},  // proposed twice (R = 0, then L = 0) and kept once
        {"x^2-2", false, -10, 10, {-1.4142136, 1.4142136}, 5e-8},
        // No sign change: the touching-zero rule proposes 0 and 0.1, and the
        // slow double-root Newton stops them apart; one point all the same.
        {"(x-0.05)^2", false, -1, 1, {0.05}, 1e-3},
        {"1/x", false, -1, 1, {}, 0.0},  // Newton walks away from the pole and out of the interval
        {"x", false, 1, -1, {}, 0.0}, {"1", false, -10, 10, {}, 0.0}, {"", false, -10, 10, {}, 0.0},
        {"x^2-4", true, 3, 0, {2.0}, 5e-8}, {"x^2-4", true, 0.5, 0, {}, 0.0},  // near: one either side
        {"x^5", false, -1, 1, {0.0}, 1e-2},  // a flat root stalls candidates at 0 and near 0.004: one root
        {"ln(x)", false, -5, 5, {1.0}, 1e-7},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.function << " " << c.from);
        CRootFinder finder;
        if (c.near)
            finder.SearchNear(c.function, c.from, 1e-6);
        else
            finder.SearchDomain(c.function, c.from, c.to, 1e-6);
        const std::vector<double> roots = Roots(finder);
        ASSERT_EQ(roots.size(), c.roots.size());
        for (std::size_t i = 0; i < roots.size(); ++i)
            EXPECT_NEAR(roots[i], c.roots[i], c.within) << i;
    }
}

// Roots the test knows in closed form: two closer than a scan step with f
// dipping through zero between the scan points, and flat roots whose seven
// shown decimals must be the rounded root. A touching double root, and a
// multiple root whose expanded form changes sign in rounding noise, are
// listed once, located to the square root of the tolerance.
TEST(RootSearch, CloseAndFlatRootsShowTheirDigits)
{
    const struct { const char *text; int placesFrom, placesTo; std::vector<double> roots; bool once = false; }
        cases[] = {
        {"1000*(x-0.49999)*(x-0.50001)", 6, 10, {0.49999, 0.50001}},
        {"(x-1.2345)*(x-1.2346)", 6, 8, {1.2345, 1.2346}},
        {"(x-1/3)^3", 5, 9, {1.0 / 3}}, {"(x+0.7)^3", 7, 7, {-0.7}}, {"(x-1/3)^5", 6, 8, {1.0 / 3}},
        {"(x+2/7)^5", 7, 7, {-2.0 / 7}}, {"(x-1)^2", 6, 8, {1}, true}, {"x^2-2*x+1", 7, 7, {1}, true},
        {"x^3-3*x^2+3*x-1", 6, 10, {1}, true}, {"x^4-4*x^3+6*x^2-4*x+1", 6, 7, {1}, true},
    };
    const auto shown = [](double x) {
        char text[32];
        std::snprintf(text, sizeof text, "%.7f", x);
        return std::string(text);
    };
    for (const auto &c : cases)
        for (int places = c.placesFrom; places <= c.placesTo; ++places) {
            SCOPED_TRACE(testing::Message() << c.text << " at " << places);
            CRootFinder finder;
            finder.SearchDomain(c.text, -10, 10, std::pow(10.0, -places));
            const std::vector<double> roots = Roots(finder);
            EXPECT_EQ(roots.size(), c.roots.size());
            if (roots.size() != c.roots.size())
                continue;
            if (c.once) {
                EXPECT_NEAR(roots[0], c.roots[0], std::pow(10.0, -places / 2.0));
                continue;
            }
            for (std::size_t i = 0; i < roots.size(); ++i) {
                EXPECT_NEAR(roots[i], c.roots[i], 5e-8) << i;
                EXPECT_EQ(shown(roots[i]), shown(c.roots[i])) << i;
            }
        }
}

// The same engine on f' and f'': a flat extremum or inflection point shows
// the digits of the point the test knows, not where |f'| or |f''| first
// drops below the tolerance.
TEST(PointFinders, FlatPointsShowTheirDigits)
{
    const struct { const char *text; int order; double x; } cases[] = {
        {"(x-1/3)^4", 1, 1.0 / 3}, {"(x+2/7)^6-1", 1, -2.0 / 7}, {"(x-1/3)^5", 2, 1.0 / 3}, {"(x-5/3)^7+x", 2, 5.0 / 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        CExtremaFinder extrema;
        CInflexFinder inflexion;
        CPointFinder &finder = c.order == 1 ? static_cast<CPointFinder &>(extrema) : inflexion;
        finder.SearchDomain(c.text, -10, 10, 1e-7);
        std::vector<double> listed;
        for (int i = 0; i < finder.m_nCount; ++i)
            if (finder.IsListed(i))
                listed.push_back(finder.m_dX[i]);
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_NEAR(listed[0], c.x, 5e-8);
    }
}

TEST(RootFinder, FullCandidateTableStopsTheScan)
{
    CRootFinder finder;
    finder.SearchDomain("sin(100*x)", -1000, 1000, 1e-6);
    EXPECT_TRUE(finder.IsFull());
    EXPECT_LT(finder.m_dCandidates[299], -900);  // only the start of the interval was looked at
}

TEST(RootFinder, ProbesBetweenOppositeInfinities)
{
    // +-1e300 on either side of 0.25 and undefined (0/0) at 0.25 itself.
    CRootFinder finder;  // a wide domain keeps the step at a tenth: 0.25 lies between scan points
    finder.SearchDomain("10^300*(x-0.25)/((x-0.25)^2)^0.5", -1000, 1000, 1e-6);
    ASSERT_EQ(finder.m_nCount, 1);  // the change of sign is looked at, but is no root
    EXPECT_TRUE(Roots(finder).empty());
}

// Far from zero adding the step stops changing x; such a domain is refused
// by the pages and cannot make the scan (or its probes) loop for ever.
TEST(RootFinder, SearchesNothingWhereTheStepNoLongerMovesX)
{
    const struct { double from, to, step; bool advances; } cases[] = {
        {-10, 10, 0.1, true},         {1e14, 1e14 + 10, 0.1, true},          {2e15, 2e15 + 10, 0.1, false},
        {-2e15, 0, 0.1, false},       {1e11, 1e11 + 2, 0.0001, true},        {2e12 - 1, 2e12 + 1, 0.0001, false},
        {kNaN, 1, 0.1, false},        {0, kInf, 0.1, false},                 {-kInf, 0, 0.1, false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CRootFinder::StepAdvances(c.from, c.to, c.step), c.advances) << c.from;
    CRootFinder finder;
    finder.SearchDomain("x-2*10^15", 2e15, 2e15 + 10, 1e-6);
    EXPECT_EQ(finder.m_nCount, 0);
    finder.SearchNear("x-10^13", 1e13, 1e-6);
    EXPECT_EQ(finder.m_nCount, 0);
    // Where x still moves but by more than a hundredth, the probes between
    // opposite infinities cannot; they must give up rather than spin.
    finder.SearchDomain("10^300*(x-500000000000000.05)/((x-500000000000000.05)^2)^0.5", 5e14 - 1, 5e14 + 1, 1e-6);
    EXPECT_TRUE(Roots(finder).empty());
}

// Progress grows and stays within 0..1; cancelling stops a run (the inflection
// finder shares the extrema finder's runs).
TEST(RootFinder, ReportsProgressAndStopsWhenCancelled)
{
    std::vector<double> reported;
    const ProgressCallback cancelSecond = [&](double fraction) {
        reported.push_back(fraction);
        return reported.size() < 2;
    };
    CRootFinder finder;
    EXPECT_FALSE(finder.SearchDomain("x^2+1", -1e6, 1e6, 1e-6, cancelSecond));
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_TRUE(reported[0] > 0 && reported[1] > reported[0] && reported[1] < 0.1);

    int calls = 0;
    const ProgressCallback cancelThird = [&](double fraction) { return fraction >= 0 && fraction <= 1 && ++calls < 3; };
    EXPECT_FALSE(CExtremaFinder().SearchDomain("x^2", -1e6, 1e6, 1e-6, cancelThird));
    EXPECT_EQ(calls, 3);
}

const std::string kRule(26, '-');

std::string Line(const char *x, const char *y)
{
    std::string line = x;
    line.resize(19, ' ');
    return line + std::string(26 - std::strlen(y), ' ') + y;
}

struct PointCase { const char *function; bool near; double from, to; std::vector<std::string> lines; };

template <class Finder, class Format>
std::vector<std::string> Lines(const PointCase &c, Format format)
{
    Finder finder;
    EXPECT_TRUE(c.near ? finder.SearchNear(c.function, c.from, 1e-6)
                       : finder.SearchDomain(c.function, c.from, c.to, 1e-6));
    std::vector<std::string> lines;
    for (int i = 0; i < finder.m_nCount; ++i)
        if (finder.IsListed(i))
            format(finder, i, lines);
    return lines;
}

TEST(PointFinders, ListMinimaMaximaAndInflexionPoints)
{
    const PointCase extrema[] = {
        {"x^2", false, -10, 10, {"x= 0.000000e+00", "y= 0.0000000e+00", "Type :Minimum", kRule}},
        {"-x^2+4*x", false, -10, 10, {"x= 2.000000e+00", "y= 4.0000000e+00", "Type :Maximum", kRule}},
        {"(x-1.5)^2", true, 1, 0, {"x= 1.500000e+00", "y= 0.0000000e+00", "Type :Minimum", kRule}},
        {"(x-1.5)^2", true, 3, 0, {}}, {"x^3", false, -10, 10, {}}, {"1", false, -10, 10, {}}, {"", false, -10, 10, {}},
        {"1/x", false, -5, 5, {}},  // f' is infinite at 0, but so is f
    };
    for (const auto &c : extrema)
        EXPECT_EQ(Lines<CExtremaFinder>(c, [](CExtremaFinder &f, int i, auto &out) {
                      for (int k = 1; k <= 4; ++k)
                          out.push_back(f.FormatLine(i, k));
                  }), c.lines) << c.function;
    const PointCase inflexion[] = {
        {"x^3", false, -10, 10, {Line("0.000000e+00", "0.0000000e+00")}}, {"x^2", false, -10, 10, {}},
        {"sin(x)", false, -4, 4, {Line("-3.141593e+00", "0.0000000e+00"), Line("0.000000e+00", "0.0000000e+00"),
                                  Line("3.141593e+00", "0.0000000e+00")}},
        {"x^4", false, -10, 10, {}}, {"1/x", false, -5, 5, {}}, {"", false, -10, 10, {}},
        // The pole at 1.25 rounds to 1.3, the point found near it to 1.2; the
        // distance decides that it is the pole.
        {"1/(x-1.25)", false, -10, 10, {}},
        // f'' = x^3 is flat at 0: candidates stall apart, one point is listed.
        {"x^5/20", false, -10, 10, {Line("0.000000e+00", "0.0000000e+00")}},
        {"x^3-3*x^2", true, 1.5, 0, {Line("1.000000e+00", "-2.0000000e+00")}},
    };
    for (const auto &c : inflexion)
        EXPECT_EQ(Lines<CInflexFinder>(c, [](CInflexFinder &f, int i, auto &out) { out.push_back(f.FormatLine(i)); }),
                  c.lines) << c.function;
}

// Points a few hundredths apart, at the places asked for, against closed
// forms worked out here: roots of products, extrema and inflection points
// of products (the quadratic formula on f' or f'') and of sin(100 x).
TEST(PointFinders, ClosePointsAreSeparatedAndTypedBySideSigns)
{
    using K = EAnalysisKind;
    const double pi = std::numbers::pi;
    // f' of (x-1)(x-1.04)(x-1.08) and f'' of (x-1)(x-1.04)(x-1.08)(x-1.2), as a x^2 + b x + c.
    const auto quadratic = [](double a, double b, double c) {
        const double d = std::sqrt(b * b - 4 * a * c);
        return std::vector<double>{(-b - d) / (2 * a), (-b + d) / (2 * a)};
    };
    const double r[] = {1, 1.04, 1.08, 1.2};
    double e2 = 0;
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            e2 += r[i] * r[j];
    std::vector<double> sinExtrema, sinMaxima;
    for (int k = -20; k <= 20; ++k)
        if (const double x = (pi / 2 + k * pi) / 100; std::fabs(x) <= 0.2) {
            sinExtrema.push_back(x);
            sinMaxima.push_back(k % 2 == 0);
        }
    const struct {
        K kind; const char *text; bool near; double from, to; std::vector<double> x, maximum; double within;
    } cases[] = {
        {K::Roots, "(x-0.31)*(x-0.34)", false, 0, 1, {0.31, 0.34}, {}, 1e-4},
        {K::Roots, "(x-0.31)*(x-0.34)", true, 0.3, 0, {0.31, 0.34}, {}, 1e-4},
        {K::Roots, "(x-2)*(x-2.01)*(x+3)", false, -10, 10, {-3, 2, 2.01}, {}, 1e-4},
        {K::Extrema, "sin(100*x)", false, -0.2, 0.2, sinExtrema, sinMaxima, 1e-5},
        {K::Extrema, "(x^2-0.0009)^2", false, -1, 1, {-0.03, 0, 0.03}, {0, 1, 0}, 1e-4},
        {K::Extrema, "(x-1)*(x-1.04)*(x-1.08)", false, 0, 2, quadratic(3, -6.24, 1.04 + 1.08 + 1.04 * 1.08), {1, 0},
         1e-5},
        {K::Inflection, "(x-1)*(x-1.04)*(x-1.08)*(x-1.2)", false, 0, 2, quadratic(12, -6 * 4.32, 2 * e2), {0, 0},
         1e-5},
        {K::Inflection, "sin(100*x)", false, -0.05, 0.05, {-pi / 100, 0, pi / 100}, {0, 0, 0}, 1e-5},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " " << c.from);
        const auto result = RunAnalysis({c.kind, c.text, c.near, c.from, c.to, 6, {}});
        ASSERT_TRUE(result);
        ASSERT_EQ(result->points.size(), c.x.size());
        for (std::size_t i = 0; i < c.x.size(); ++i) {
            EXPECT_NEAR(result->points[i].x, c.x[i], c.within) << i;
            if (!c.maximum.empty()) {
                EXPECT_EQ(result->points[i].maximum, c.maximum[i] != 0) << i;
            }
        }
    }
    // Over [-10, 10] the step is coarser than before: every listed point is
    // still typed by the sign of sin(100 x) there.
    const auto wide = RunAnalysis({K::Extrema, "sin(100*x)", false, -10, 10, 6, {}});
    ASSERT_TRUE(wide && !wide->points.empty());
    for (const SAnalysisPoint &p : wide->points)
        EXPECT_EQ(p.maximum, std::sin(100 * p.x) > 0) << p.x;
}

// Asking for more places never loses a root: tan(x) - x keeps its five
// roots where |f| cannot fall below the rounding of tan(x), and two roots
// 2e-5 apart stay two.
TEST(AnalysisRun, MorePlacesKeepEveryRoot)
{
    const struct { const char *text; std::size_t count; } cases[] = {
        {"tan(x)-x", 5}, {"(x-0.49999)*(x-0.50001)", 2},
    };
    for (const auto &c : cases)
        for (int places = 5; places <= 15; ++places) {
            SCOPED_TRACE(testing::Message() << c.text << " " << places);
            const auto result = RunAnalysis({EAnalysisKind::Roots, c.text, false, -10, 10, places, {}});
            ASSERT_TRUE(result);
            EXPECT_EQ(result->points.size(), c.count);
        }
}

// A run that fills its candidate table loses points even when the two runs
// together stay below 600 candidates.
TEST(PointFinders, TruncatedWhenEitherRunIsFull)
{
    CExtremaFinder extrema;
    extrema.SearchDomain("(sin(x))^3", -250, 250, 1e-6);
    EXPECT_TRUE(extrema.IsTruncated());
    extrema.SearchDomain("(sin(x))^3", -20, 20, 1e-6);
    EXPECT_FALSE(extrema.IsTruncated());
    CInflexFinder inflex;
    inflex.SearchDomain("sin(x)", -1000, 1000, 1e-6);
    EXPECT_TRUE(inflex.IsTruncated());
    inflex.SearchDomain("sin(x)", -10, 10, 1e-6);
    EXPECT_FALSE(inflex.IsTruncated());
    // f' = 6 x^5 and its reciprocal stay about zero over long stretches of
    // the fine scan: one candidate per tenth there, the table does not fill.
    extrema.SearchDomain("x^6", -10, 10, 1e-6);
    EXPECT_FALSE(extrema.IsTruncated());
}

// Independent oracle: functions whose roots in [-10, 10] are known in closed
// form, evaluated here with plain arithmetic rather than the expression core;
// some roots come in pairs a hundredth or two apart.
struct OracleFunction { std::string text; std::function<double(double)> f; std::vector<double> roots; };

std::vector<OracleFunction> OracleFunctions()
{
    std::vector<OracleFunction> out;
    // Products of (x - r) over well separated simple roots inside [-9, 9], some flat.
    for (int p = 0; p < 30; ++p) {
        std::vector<double> roots;
        for (int j = 0; roots.size() < static_cast<std::size_t>(1 + p % 5); ++j) {
            const double r = -9 + ((p * 29 + j * 53) % 73) * 0.25;
            if (std::all_of(roots.begin(), roots.end(), [r](double q) { return std::fabs(q - r) >= 0.5; }))
                roots.push_back(r);
        }
        // Close pairs: a partner a hundredth or two away.
        if (p % 4 == 1)
            roots.insert(roots.begin() + 1, roots[0] + 0.01 * (1 + p % 8 / 4));
        const double scale = p % 3 == 0 ? 0.01 : 1.0;
        std::string text = scale != 1.0 ? "0.01" : "";
        for (const double r : roots)
            text += (text.empty() ? "(x" : "*(x") + std::string(r < 0 ? "+" : "-") + ShownExact(std::fabs(r)) + ")";
        out.push_back({text, [roots, scale](double x) {
                           double v = scale;
                           for (const double r : roots)
                               v *= x - r;
                           return v;
                       }, roots});
    }
    // sin(a x + b): roots (k pi - b) / a.
    for (const auto &ab : {std::pair{1.0, 0.0}, {2, 0.5}, {0.5, -1}, {3, 1.25}, {1.5, 2}, {0.75, 0.3}}) {
        const double a = ab.first, b = ab.second;
        std::vector<double> roots;
        for (int k = -40; k <= 40; ++k)
            if (const double r = (k * std::numbers::pi - b) / a; r > -9.95 && r < 9.95)
                roots.push_back(r);
        const std::string text =
            "sin(" + ShownExact(a) + "*x" + (b < 0 ? "-" : "+") + ShownExact(std::fabs(b)) + ")";
        out.push_back({text, [a, b](double x) { return std::sin(a * x + b); }, roots});
    }
    return out;
}

TEST(SearchOracle, RootsAreRootsNoneIsMissedAndExtremaChangeSlope)
{
    for (const OracleFunction &c : OracleFunctions()) {
        SCOPED_TRACE(c.text);
        CRootFinder roots;
        roots.SearchDomain(c.text, -10, 10, 1e-6);
        std::vector<double> listed = Roots(roots);
        for (const double x : listed)
            EXPECT_LT(std::fabs(c.f(x)), 1e-6) << " at " << x;
        for (const double r : c.roots)
            EXPECT_TRUE(std::any_of(listed.begin(), listed.end(), [r](double x) { return std::fabs(x - r) < 1e-5; }))
                << " misses " << r;
        EXPECT_EQ(listed.size(), c.roots.size());

        CExtremaFinder extrema;
        extrema.SearchDomain(c.text, -10, 10, 1e-6);
        // Central differences of the oracle's own f, a little to either side.
        const auto slope = [&](double x) { return (c.f(x + 1e-5) - c.f(x - 1e-5)) / 2e-5; };
        int typed = 0;
        for (int i = 0; i < extrema.m_nCount; ++i) {
            if (!extrema.IsListed(i))
                continue;
            ++typed;
            const double x = extrema.m_dX[i], left = slope(x - 0.002), right = slope(x + 0.002);
            const bool minimum = extrema.m_nType[i] == CExtremaFinder::Minimum;
            EXPECT_TRUE(minimum ? left < 0 && right > 0 : left > 0 && right < 0) << " at " << x;
        }
        // A product of simple real roots has one extremum between each two.
        if (c.text.find("sin") == std::string::npos) {
            EXPECT_EQ(typed, static_cast<int>(c.roots.size()) - 1);
        }
    }
}

}  // namespace

namespace {

using oracle::Big;

struct SListCase
{
    EAnalysisKind kind;
    const char *text;
    double from, to;
    std::vector<int> places;
    std::vector<const char *> exact;  // the true points' x, as exact decimals or MPFR texts below
};

// The listed x of each point: the roots' lines, the others' labels.
std::vector<std::string> ListedX(const SAnalysisResult &result)
{
    std::vector<std::string> xs;
    for (const SAnalysisPoint &p : result.points)
        xs.push_back(p.label.substr(1, p.label.find(',') - 1));
    return xs;
}

Big Exact(const char *text)
{
    const std::string t = text;
    if (t == "sqrt2")
        return Apply(mpfr_sqrt, Big(2));
    if (t == "sqrt200")
        return Apply(mpfr_sqrt, Big(200));
    if (t == "1/3")
        return Big(1) / Big(3);
    return Big::Text(t);
}

}  // namespace

// Points next to a sampled root, close groups, shallow and flat roots, and
// roots that need more digits than a double's noise allows: every true point
// is listed at every accuracy, with every digit shown right.
TEST(AnalysisRun, EveryTruePointIsListedWithItsDigitsRight)
{
    using K = EAnalysisKind;
    const std::vector<int> all = {3, 6, 7, 10, 12, 14, 15};
    // Roots closer than the places asked are one point; from there on two.
    const std::vector<int> close = {5, 6, 7, 10, 12, 14, 15};
    const SListCase cases[] = {
        {K::Roots, "(x-1)*(x-1.0001)", -10, 10, close, {"1", "1.0001"}},
        {K::Roots, "x^2-200", -20, 20, all, {"-sqrt200", "sqrt200"}},
        {K::Roots, "(x-2.01)*(x-2.02)*(x-2.03)", -10, 10, all, {"2.01", "2.02", "2.03"}},
        {K::Roots, "x^2-0.000000000001", -10, 10, {7, 10, 15}, {"-0.000001", "0.000001"}},
        {K::Roots, "x^2-0.00000001", -1, 1, {5, 10, 15}, {"-0.0001", "0.0001"}},
        {K::Roots, "(x-1/3)^3", -10, 10, {6, 15}, {"1/3"}},
        {K::Roots, "x^3-2*x", -10, 10, all, {"-sqrt2", "0", "sqrt2"}},
        {K::Extrema, "x^3-600*x", -20, 20, all, {"-sqrt200", "sqrt200"}},
        {K::Extrema, "abs(x-2)", -10, 10, all, {"2"}},
        {K::Extrema, "abs(x-0.123456789)", -10, 10, all, {"0.123456789"}},
        {K::Extrema, "cbrt(x^2)", -10, 10, all, {"0"}},
        {K::Extrema, "x+0.0001/x", -10, 10, all, {"-0.01", "0.01"}},
        {K::Inflection, "cbrt(x)", -10, 10, all, {"0"}},
        {K::Inflection, "x*abs(x)", -10, 10, all, {"0"}},
    };
    for (const auto &c : cases)
        for (const int places : c.places) {
            SCOPED_TRACE(testing::Message() << c.text << " at " << places);
            const auto result = RunAnalysis({c.kind, c.text, false, c.from, c.to, places, {}});
            ASSERT_TRUE(result);
            const std::vector<std::string> xs = ListedX(*result);
            ASSERT_EQ(xs.size(), c.exact.size());
            for (std::size_t i = 0; i < xs.size(); ++i) {
                const std::string t = c.exact[i];
                const Big exact = t[0] == '-' ? -Exact(t.c_str() + 1) : Exact(t.c_str());
                EXPECT_LE(oracle::ShownError(xs[i], exact), 1.0) << xs[i];
                // As many decimals as asked; beyond twelve only as many as are known.
                EXPECT_LE(oracle::LastPlace(xs[i]), std::pow(10.0, -std::min(places, 12)) * 1.0000001) << xs[i];
            }
        }
}

// A root is where f changes sign or is zero, never where it is merely
// small; a curve just above another never meets it.
TEST(AnalysisRun, SmallValuesAreNotRoots)
{
    using K = EAnalysisKind;
    const struct { K kind; const char *f, *g; } cases[] = {
        {K::Roots, "x^2+0.0000001", ""}, {K::Roots, "sin(x)+1.0000001", ""}, {K::Roots, "0.0000001", ""},
        {K::Roots, "(x-1)^2+10^(-12)", ""}, {K::Intersections, "x^2", "x^2+0.0000001"},
    };
    for (const auto &c : cases)
        for (const int places : {3, 6, 10, 15}) {
            SCOPED_TRACE(testing::Message() << c.f << " at " << places);
            const auto result = RunAnalysis({c.kind, c.f, false, -10, 10, places, c.g});
            ASSERT_TRUE(result);
            EXPECT_EQ(result->lines, std::vector<std::string>{"None"});
        }
    // Touching zeros are listed once: exact zeros, or zeros within the noise.
    for (const char *text : {"(x-1)^2", "x^2-2*x+1", "sin(x)+1", "(x-0.0505)^2"}) {
        const auto result = RunAnalysis({K::Roots, text, false, -2, 2, 6, {}});
        ASSERT_TRUE(result);
        EXPECT_EQ(result->points.size(), 1u) << text;
    }
}

// The table is full only when the scan stopped early, not at 299 or 300
// candidates found by a scan that ran to its end.
TEST(RootFinder, FullOnlyWhenTheScanStoppedEarly)
{
    CRootFinder finder;
    finder.SearchDomain("sin(100*x)", 0.01, 9.4, 1e-6);  // the roots k pi / 100, k = 1 .. 299
    EXPECT_EQ(finder.m_nCount, 299);
    EXPECT_FALSE(finder.IsFull());
    EXPECT_EQ(Roots(finder).size(), 299u);
    finder.SearchDomain("sin(100*x)", 0.01, 9.45, 1e-6);  // one more, k = 300
    EXPECT_EQ(finder.m_nCount, 300);
    EXPECT_FALSE(finder.IsFull());
}

// An extremum near a pole is kept; only one on the pole is dropped.
TEST(AnalysisRun, ExtremaNearAPoleAreListed)
{
    const auto result = RunAnalysis({EAnalysisKind::Extrema, "(x-2)^2+0.001/(x-2.04)", false, 1, 3, 7, {}});
    ASSERT_TRUE(result);
    ASSERT_EQ(result->points.size(), 1u);
    EXPECT_EQ(ListedX(*result)[0], "2.1080315e+00");
    EXPECT_FALSE(result->points[0].maximum);
    const auto near = RunAnalysis({EAnalysisKind::Extrema, "x+0.0001/x", false, -1, 1, 6, {}});
    ASSERT_TRUE(near);
    ASSERT_EQ(near->points.size(), 2u);
    EXPECT_EQ(near->points[0].label, "(-1.0000e-02, -2.0000000e-02)");
    EXPECT_TRUE(near->points[0].maximum);
    EXPECT_EQ(near->points[1].label, "(1.0000e-02, 2.0000000e-02)");
}

// Where noise hides the sign near an end of the domain, the point is the
// middle of the part of the band inside it, never a point beyond the end.
TEST(AnalysisRun, PointsLieInTheDomainSearched)
{
    const auto result =
        RunAnalysis({EAnalysisKind::Inflection, "csc(x)*csch(csch(csch(csc(x^2))))+2", false, -1, 5, 7, {}});
    ASSERT_TRUE(result);
    ASSERT_FALSE(result->points.empty());
    for (const SAnalysisPoint &point : result->points) {
        EXPECT_GE(point.x, -1.0);
        EXPECT_LE(point.x, 5.0);
    }
}
