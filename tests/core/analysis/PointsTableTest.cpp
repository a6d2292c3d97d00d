#include "core/analysis/PointsTable.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Captions(const STableSettings &s)
{
    std::vector<std::string> out;
    for (const STableMessage &m : CheckTableSettings(s))
        out.push_back(m.caption);
    return out;
}

using V = std::vector<std::string>;

TEST(TableSettings, RefusalsInOrder)
{
    const struct { STableSettings s; V captions; } cases[] = {
        {{-20, 20, 0.5}, {}},
        {{0, 1, 0.0001}, {}},                  // exactly 10,000 steps are accepted
        {{0, 1, 0.00009999}, {"Too many points"}},
        {{5, 1, 0}, {"Invalid Increment", "Invalid domain"}},
        {{5, 1, 0.5}, {"Invalid domain"}},     // reversed: never an empty table
        {{1, 1, 0.5}, {"Invalid domain"}},
        {{0, 1, -0.5}, {"Invalid Increment"}},
        {{0, 1, NAN}, {"Invalid Increment"}},
        {{1e17, 1e17 + 1000, 1}, {"Too many points"}},  // adding 1 leaves 1e17 as it is
        {{-INFINITY, 0, 1}, {"Too many points"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.s.from << " " << c.s.to << " " << c.s.increment);
        EXPECT_EQ(Captions(c.s), c.captions);
    }
}

TEST(TableSettings, MessageTexts)
{
    const auto m = CheckTableSettings({5, 1, 0});
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0].text, "Error 0x0B:\n\nThe increment must be greater than zero.\nPlease,re-enter the increment.");
    EXPECT_EQ(m[1].text, "Error 0x06:\n\nThe start of domain must be less than the end.\nPlease correct the error and "
                         "try again.");
    const auto big = CheckTableSettings({0, 100, 0.001});
    ASSERT_EQ(big.size(), 1u);
    EXPECT_EQ(big[0].text, "Error 0x0C:\n\nThe values in the domain which you specified is too large, and will take "
                           "a lot of time.\nPlease, re-enter another domain or increment.");
}

TEST(PointsTable, DefaultTableOfSquare)
{
    const auto lines = ComputePointsTable("x^2", {});
    ASSERT_EQ(lines.size(), 81u);
    EXPECT_EQ(lines.front(), "-2.00000e+01                  4.00000e+02         ");
    EXPECT_EQ(lines[41], "5.00000e-01                   2.50000e-01         ");
    EXPECT_EQ(lines.back(), "2.00000e+01                   4.00000e+02         ");
}

TEST(PointsTable, WordsForUndefinedAndInfiniteValues)
{
    const auto inverse = ComputePointsTable("1/x", {-1, 1, 0.5});
    ASSERT_EQ(inverse.size(), 5u);
    EXPECT_EQ(inverse[2], "0.00000e+00                   INFINTY             ");
    EXPECT_EQ(inverse[0], "-1.00000e+00                  -1.00000e+00        ");
    const auto minus = ComputePointsTable("-1/x^2", {-1, 1, 0.5});
    EXPECT_EQ(minus[2], "0.00000e+00                   Minus INFINTY       ");
    const auto log = ComputePointsTable("ln(x)", {-1, 1, 0.5});
    EXPECT_EQ(log[0], "-1.00000e+00                  NOT DEFINE          ");
    EXPECT_EQ(log[1].substr(30), "NOT DEFINE          ");
    EXPECT_EQ(log[4], "1.00000e+00                   0.00000e+00         ");
}

TEST(PointsTable, RowsComeFromTheIndex)
{
    // Repeated addition of 0.01 misses x = 1.
    const auto lines = ComputePointsTable("x", {0, 1, 0.01});
    ASSERT_EQ(lines.size(), 101u);
    EXPECT_EQ(lines.back().substr(0, 11), "1.00000e+00");
    EXPECT_EQ(TableRowCount({0, 1, 0.3}), 4);
    EXPECT_EQ(TableRowCount({0, 1, 0.0001}), 10001);
    EXPECT_EQ(ComputePointsTable("x", {1e15, 1e15 + 10, 1}).size(), 11u);
}

TEST(PointsTable, SubstitutedValuesAreRoundedToSixDecimals)
{
    // 0.1 * 3 is 0.30000000000000004; the table substitutes 0.3.
    const auto lines = ComputePointsTable("x*10^15", {0, 1, 0.1});
    EXPECT_EQ(lines[3].substr(30, 11), "3.00000e+14");
}

TEST(PointsTable, NothingForEmptyTextOrBadSettings)
{
    EXPECT_TRUE(ComputePointsTable("", {}).empty());
    EXPECT_TRUE(ComputePointsTable("   ", {}).empty());
    EXPECT_TRUE(ComputePointsTable("x", {5, 1, 0.5}).empty());
    EXPECT_TRUE(ComputePointsTable("x", {0, 1, 0}).empty());
}

TEST(PointsTable, HugeValuesAreWrittenInFull)
{
    EXPECT_EQ(TableLine(1e300 / 1e300, 8.99e200).substr(30), "8.99000e+200        ");
    EXPECT_EQ(TableLine(-123456.5, -0.000001), "-1.23456e+05                  -1.00000e-06        ");
}

}  // namespace
