#include "core/analysis/DecimalRounder.h"
#include "core/analysis/RootFinder.h"
#include "core/analysis/ValueTests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::vector<double> Roots(const CRootFinder &finder)
{
    std::vector<double> roots;
    for (int i = 0; i < finder.m_nCount; ++i)
        if (finder.m_bValid[i])
            roots.push_back(finder.m_dRoots[i]);
    return roots;
}

struct SearchCase
{
    friend void PrintTo(const SearchCase &c, std::ostream *os) { *os << c.name; }
    const char *name;
    const char *function;
    bool near;
    double from, to;  // the point in from when near
    std::vector<double> roots;
    double within;
};

class RootSearch : public testing::TestWithParam<SearchCase>
{
};

TEST_P(RootSearch, ListsTheKnownRoots)
{
    const SearchCase &c = GetParam();
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

const SearchCase kSearchCases[] = {
    // Proposed twice (R = 0, then L = 0) and kept once.
    {"Identity", "x", false, -10, 10, {0.0}, 0.0},
    {"SquareRootOfTwo", "x^2-2", false, -10, 10, {-1.4142136, 1.4142136}, 5e-8},
    // No sign change: the touching-zero rule proposes 0 and 0.1, and the
    // slow double-root Newton stops them apart; one point all the same.
    {"TouchingZero", "(x-0.05)^2", false, -1, 1, {0.05}, 1e-3},
    // Newton walks away from the pole and out of the interval.
    {"Reciprocal", "1/x", false, -1, 1, {}, 0.0},
    {"Reversed", "x", false, 1, -1, {}, 0.0},
    {"Constant", "1", false, -10, 10, {}, 0.0},
    {"EmptyText", "", false, -10, 10, {}, 0.0},
    {"NearPointCoversOneEitherSide", "x^2-4", true, 3, 0, {2.0}, 5e-8},
    {"NearPointMissesFartherRoots", "x^2-4", true, 0.5, 0, {}, 0.0},
    // A flat root stalls candidates at 0 and near 0.004: one root.
    {"FlatRootOnce", "x^5", false, -1, 1, {0.0}, 1e-2},
    {"UndefinedLeftHalf", "ln(x)", false, -5, 5, {1.0}, 1e-7},
};

INSTANTIATE_TEST_SUITE_P(Cases, RootSearch, testing::ValuesIn(kSearchCases),
                         [](const testing::TestParamInfo<SearchCase> &info) { return info.param.name; });

TEST(RootFinder, FullCandidateTableStopsTheScan)
{
    CRootFinder finder;
    finder.SearchDomain("sin(100*x)", -1000, 1000, 1e-6);
    EXPECT_EQ(finder.m_nCount, CRootFinder::kMaxCandidates);
    EXPECT_TRUE(finder.IsFull());
    // Only the start of the interval was looked at.
    EXPECT_LT(finder.m_dCandidates[299], -900);
}

TEST(RootFinder, ProbesBetweenOppositeInfinities)
{
    // +-1e300 on either side of 0.25 and undefined (0/0) at 0.25 itself.
    CRootFinder finder;
    finder.SearchDomain("10^300*(x-0.25)/((x-0.25)^2)^0.5", -1, 1, 1e-6);
    ASSERT_EQ(finder.m_nCount, 1);
    EXPECT_NEAR(finder.m_dCandidates[0], 0.25, 1e-12);
    EXPECT_TRUE(Roots(finder).empty());
}

// Far from zero adding the step stops changing x; such a domain is refused
// by the pages and cannot make the scan (or its probes) loop for ever.
TEST(RootFinder, StepAdvancesOnlyWhereXMoves)
{
    struct Case { double from, to, step; bool advances; };
    const Case cases[] = {
        {-10, 10, 0.1, true},           {1e14, 1e14 + 10, 0.1, true},
        {2e15, 2e15 + 10, 0.1, false},  {-2e15, 0, 0.1, false},
        {1e11, 1e11 + 2, 0.0001, true}, {2e12 - 1, 2e12 + 1, 0.0001, false},
        {kNaN, 1, 0.1, false},          {0, kInf, 0.1, false},
        {-kInf, 0, 0.1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.from);
        EXPECT_EQ(CRootFinder::StepAdvances(c.from, c.to, c.step), c.advances);
    }
}

TEST(RootFinder, SearchesNothingWhereTheStepNoLongerMovesX)
{
    CRootFinder finder;
    finder.SearchDomain("x-2*10^15", 2e15, 2e15 + 10, 1e-6);
    EXPECT_EQ(finder.m_nCount, 0);
    finder.SearchDomain("sin(x)", 0, kInf, 1e-6);
    EXPECT_EQ(finder.m_nCount, 0);
    finder.SearchNear("x-10^13", 1e13, 1e-6);
    EXPECT_EQ(finder.m_nCount, 0);
    // Where x still moves but by more than a hundredth, the probes between
    // opposite infinities cannot; they must give up rather than spin.
    finder.SearchDomain("10^300*(x-500000000000000.05)/((x-500000000000000.05)^2)^0.5", 5e14 - 1, 5e14 + 1, 1e-6);
    EXPECT_TRUE(Roots(finder).empty());
}

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
    EXPECT_GT(reported[0], 0.0);
    EXPECT_LT(reported[1], 0.1);
    EXPECT_GT(reported[1], reported[0]);

    reported.clear();
    const ProgressCallback keepGoing = [&](double fraction) { reported.push_back(fraction); return true; };
    EXPECT_TRUE(finder.SearchDomain("x^2-1", -1e5, 1e5, 1e-6, keepGoing));
    EXPECT_FALSE(reported.empty());
    EXPECT_LE(reported.back(), 1.0);
    EXPECT_EQ(Roots(finder).size(), 2u);
}

TEST(DecimalRounder, RoundingTwiceChangesNothing)
{
    const double fixed[] = {2.5e19, -2.5e19, 9.2e18, kNaN, kInf, -1.23456789, 0.0000006, 0.00000049999,
                            -0.0, 0.0, 1.9999995, -7.45, 123456789.1234565, 4503599627370495.5};
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> uniform(-1e6, 1e6);
    std::vector<double> values(std::begin(fixed), std::end(fixed));
    for (int i = 0; i < 20000; ++i)
        values.push_back(uniform(random) / (1 + i % 1000));
    const CDecimalRounder round6(6);
    // The scan rounds a value once and relies on a second rounding changing nothing.
    for (const double v : values) {
        const double once = round6(v), twice = round6(once);
        EXPECT_TRUE(std::memcmp(&once, &twice, sizeof once) == 0 || std::isnan(once)) << v;
    }
    EXPECT_EQ(round6(2.5e19), 2.5e19);
    EXPECT_DOUBLE_EQ(round6(-1.23456789), -1.234568);
    EXPECT_DOUBLE_EQ(round6(0.0000006), 0.000001);
    EXPECT_DOUBLE_EQ(round6(0.00000049999), 0.0);
}

}  // namespace
