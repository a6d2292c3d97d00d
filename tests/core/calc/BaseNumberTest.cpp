#include "core/calc/BaseNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

std::string FromDecimal(double v, int base)
{
    CBaseNumber n;
    n.FromDecimal(v, base);
    return n.m_strOutput;
}

double ToDecimal(const std::string &digits, int base)
{
    CBaseNumber n;
    n.m_strInput = digits;
    return n.ToDecimal(base);
}

TEST(BaseNumber, FromDecimal)
{
    EXPECT_EQ(FromDecimal(10.5, 2), "1010.1");
    EXPECT_EQ(FromDecimal(255, 16), "FF");
    EXPECT_EQ(FromDecimal(0, 16), "0");
    EXPECT_EQ(FromDecimal(256, 2), "100000000");
    EXPECT_EQ(FromDecimal(35, 36), "Z");
    EXPECT_EQ(FromDecimal(0.25, 16), "0.4");
    EXPECT_EQ(FromDecimal(-10, 2), "-1010");
}

TEST(BaseNumber, FractionStopsAfterFiftyDigits)
{
    const std::string s = FromDecimal(0.1, 3);
    EXPECT_EQ(s.size(), 2u + 50u) << s;
}

TEST(BaseNumber, HugeValueEndsWithItsDigits)
{
    const std::string s = FromDecimal(1.7976931348623157e308, 2);
    EXPECT_EQ(s, std::string(53, '1') + std::string(1024 - 53, '0'));
}

TEST(BaseNumber, RefusesWhatHasNoDigits)
{
    CBaseNumber n;
    EXPECT_FALSE(n.FromDecimal(std::numeric_limits<double>::infinity(), 2));
    EXPECT_EQ(n.m_strOutput, "inf");
    EXPECT_FALSE(n.FromDecimal(-std::numeric_limits<double>::infinity(), 2));
    EXPECT_EQ(n.m_strOutput, "-inf");
    EXPECT_FALSE(n.FromDecimal(std::numeric_limits<double>::quiet_NaN(), 2));
    EXPECT_EQ(n.m_strOutput, "nan");
    for (int base : {-5, 0, 1, 37, 1000}) {
        EXPECT_FALSE(n.FromDecimal(5, base)) << base;
        EXPECT_EQ(n.m_strOutput, "");
    }
}

TEST(BaseNumber, ToDecimal)
{
    EXPECT_EQ(ToDecimal("FF", 16), 255);
    EXPECT_EQ(ToDecimal("A.8", 16), 10.5);
    EXPECT_EQ(ToDecimal("1010.1", 2), 10.5);
    EXPECT_EQ(ToDecimal("-FF", 16), -255);
    EXPECT_EQ(ToDecimal("", 16), 0);
    EXPECT_EQ(ToDecimal(".", 16), 0);
    EXPECT_EQ(ToDecimal("Z", 36), 35);
    EXPECT_TRUE(std::isnan(ToDecimal("1_2", 16)));
    EXPECT_TRUE(std::isnan(ToDecimal("1.2.3", 16)));
}

TEST(BaseNumber, RoundTrip)
{
    for (int base = 2; base <= 36; ++base)
        for (double v : {0.0, 1.0, 7.0, 1234567.0, 4294967296.0, 9007199254740991.0, 0.5, 3.75}) {
            CBaseNumber n;
            ASSERT_TRUE(n.FromDecimal(v, base));
            n.m_strInput = n.m_strOutput;
            // Fractions that repeat in the base end after fifty digits.
            EXPECT_NEAR(n.ToDecimal(base), v, 1e-14 * std::max(1.0, v)) << base << " " << n.m_strOutput;
        }
}

}  // namespace
