#include "core/analysis/ExtremaFinder.h"
#include "core/analysis/InflexFinder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct PointCase
{
    friend void PrintTo(const PointCase &c, std::ostream *os) { *os << c.name; }
    const char *name;
    const char *function;
    bool near;
    double from, to;
    std::vector<std::string> lines;
};

std::vector<std::string> ExtremaLines(const PointCase &c)
{
    CExtremaFinder finder;
    EXPECT_TRUE(c.near ? finder.SearchNear(c.function, c.from, 1e-6)
                       : finder.SearchDomain(c.function, c.from, c.to, 1e-6));
    std::vector<std::string> lines;
    for (int i = 0; i < finder.m_nCount; ++i)
        if (finder.IsListed(i))
            for (int k = 1; k <= 4; ++k)
                lines.push_back(finder.FormatLine(i, k));
    return lines;
}

std::vector<std::string> InflexLines(const PointCase &c)
{
    CInflexFinder finder;
    EXPECT_TRUE(c.near ? finder.SearchNear(c.function, c.from, 1e-6)
                       : finder.SearchDomain(c.function, c.from, c.to, 1e-6));
    std::vector<std::string> lines;
    for (int i = 0; i < finder.m_nCount; ++i)
        if (finder.IsListed(i))
            lines.push_back(finder.FormatLine(i));
    return lines;
}

const std::string kRule(26, '-');

class Extrema : public testing::TestWithParam<PointCase>
{
};

TEST_P(Extrema, ListsMinimaAndMaxima) { EXPECT_EQ(ExtremaLines(GetParam()), GetParam().lines); }

const PointCase kExtremaCases[] = {
    {"Parabola", "x^2", false, -10, 10, {"x= 0.0000000e+00", "y= 0.0000000e+00", "Type :Minimum", kRule}},
    {"Cubic", "x^3", false, -10, 10, {}},
    {"DownwardParabola", "-x^2+4*x", false, -10, 10, {"x= 2.0000000e+00", "y= 4.0000000e+00", "Type :Maximum", kRule}},
    // f' is infinite at 0, but so is f.
    {"Reciprocal", "1/x", false, -5, 5, {}},
    {"NearOne", "(x-1.5)^2", true, 1, 0, {"x= 1.5000000e+00", "y= 0.0000000e+00", "Type :Minimum", kRule}},
    {"NearThree", "(x-1.5)^2", true, 3, 0, {}},
    {"Constant", "1", false, -10, 10, {}},
    {"EmptyText", "", false, -10, 10, {}},
};

INSTANTIATE_TEST_SUITE_P(Cases, Extrema, testing::ValuesIn(kExtremaCases),
                         [](const testing::TestParamInfo<PointCase> &info) { return info.param.name; });

class Inflexion : public testing::TestWithParam<PointCase>
{
};

TEST_P(Inflexion, ListsPointsWhereTheSecondDerivativeChangesSign)
{
    EXPECT_EQ(InflexLines(GetParam()), GetParam().lines);
}

std::string Line(const char *x, const char *y)
{
    std::string line = x;
    line.resize(19, ' ');
    const std::string right = y;
    return line + std::string(26 - right.size(), ' ') + right;
}

const PointCase kInflexCases[] = {
    {"Cubic", "x^3", false, -10, 10, {Line("0.0000000e+00", "0.0000000e+00")}},
    {"Parabola", "x^2", false, -10, 10, {}},
    {"Sine", "sin(x)", false, -4, 4,
     {Line("-3.1415927e+00", "0.0000000e+00"), Line("0.0000000e+00", "0.0000000e+00"),
      Line("3.1415927e+00", "0.0000000e+00")}},
    {"Quartic", "x^4", false, -10, 10, {}},
    {"Reciprocal", "1/x", false, -5, 5, {}},
    // The pole at 1.25 rounds to 1.3, the point found near it to 1.2; the
    // distance decides that it is the pole.
    {"PoleBetweenRoundings", "1/(x-1.25)", false, -10, 10, {}},
    // f'' = x^3 is flat at 0: candidates stall apart, one point is listed.
    {"FlatSecondDerivative", "x^5/20", false, -10, 10, {Line("0.0000000e+00", "0.0000000e+00")}},
    {"EmptyText", "", false, -10, 10, {}},
    {"NearPoint", "x^3-3*x^2", true, 1.5, 0, {Line("1.0000000e+00", "-2.0000000e+00")}},
};

INSTANTIATE_TEST_SUITE_P(Cases, Inflexion, testing::ValuesIn(kInflexCases),
                         [](const testing::TestParamInfo<PointCase> &info) { return info.param.name; });

// A run that fills its candidate table loses points even when the two runs
// together stay below 600 candidates.
TEST(PointFinders, TruncatedWhenEitherRunIsFull)
{
    CExtremaFinder extrema;
    extrema.SearchDomain("(sin(x))^3", -250, 250, 1e-6);
    EXPECT_LE(extrema.m_nCount, 598);
    EXPECT_TRUE(extrema.IsTruncated());
    extrema.SearchDomain("(sin(x))^3", -20, 20, 1e-6);
    EXPECT_FALSE(extrema.IsTruncated());

    CInflexFinder inflex;
    inflex.SearchDomain("sin(x)", -1000, 1000, 1e-6);
    EXPECT_TRUE(inflex.IsTruncated());
    inflex.SearchDomain("sin(x)", -10, 10, 1e-6);
    EXPECT_FALSE(inflex.IsTruncated());
}

TEST(PointFinders, CancelStopsEveryRun)
{
    int calls = 0;
    const ProgressCallback cancelThird = [&](double fraction) {
        EXPECT_GE(fraction, 0.0);
        EXPECT_LE(fraction, 1.0);
        return ++calls < 3;
    };
    CExtremaFinder extrema;
    EXPECT_FALSE(extrema.SearchDomain("x^2", -1e6, 1e6, 1e-6, cancelThird));
    EXPECT_EQ(calls, 3);
    calls = 0;
    CInflexFinder inflex;
    EXPECT_FALSE(inflex.SearchDomain("x^3", -1e6, 1e6, 1e-6, cancelThird));
    EXPECT_EQ(calls, 3);
}

}  // namespace
