#include "core/analysis/ValueTests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ValueTests, ClassifyAroundTheInfiniteBound)
{
    struct Case { double v; bool number, infinite, finite; };
    const Case cases[] = {
        {0.0, true, false, true},          {9e200, true, false, true},
        {-9e200, true, false, true},       {9.000001e200, true, true, false},
        {-1e300, true, true, false},       {kInf, true, true, false},
        {-kInf, true, true, false},        {kNaN, false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.v);
        EXPECT_EQ(IsNumber(c.v), c.number);
        EXPECT_EQ(IsInfinite(c.v), c.infinite);
        EXPECT_EQ(IsFinite(c.v), c.finite);
    }
}

TEST(ValueTests, RoundToDecimalsHalfAwayFromZeroOnTheNextDigit)
{
    struct Case { double v; int n; double expected; };
    const Case cases[] = {
        {1.25, 1, 1.3},        {-1.25, 1, -1.3},       {1.24997, 1, 1.2},
        {0.1234565, 6, 0.123457}, {-0.1234565, 6, -0.123457},
        {2.0000004, 6, 2.0},   {0.9999996, 6, 1.0},    {-0.9999996, 6, -1.0},
        {1.44, 1, 1.4},        {1.449999, 1, 1.4},     // later digits are ignored
        {123456.75, 1, 123456.8}, {0.0, 7, 0.0},
        {9.3e18, 2, 9.3e18},   {1e300, 3, 1e300},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.v);
        EXPECT_NEAR(RoundToDecimals(c.v, c.n), c.expected, 1e-12 * std::fmax(1.0, std::fabs(c.expected)));
    }
    EXPECT_TRUE(std::isnan(RoundToDecimals(kNaN, 3)));
    EXPECT_EQ(RoundToDecimals(-kInf, 3), -kInf);
}

} // namespace
