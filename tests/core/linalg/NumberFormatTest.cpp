#include "core/linalg/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct TextCase {
    double value;
    const char *text;
};

class TenDigits : public ::testing::TestWithParam<TextCase> {};

TEST_P(TenDigits, WritesTenSignificantDigitsWithAPoint)
{
    EXPECT_EQ(FormatTenDigits(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, TenDigits,
                         ::testing::Values(TextCase{1, "1."}, TextCase{-1, "-1."}, TextCase{2, "2."}, TextCase{0, "0."},
                                           TextCase{-0.5, "-0.5"}, TextCase{1.0 / 3, "0.3333333333"},
                                           TextCase{0.9999999999999999, "1."}, TextCase{1234567890, "1234567890."},
                                           TextCase{12345678901.0, "1.23456789e+10"}, TextCase{1e20, "1.e+20"},
                                           TextCase{1e-5, "1.e-05"}, TextCase{0.0001, "0.0001"}));

TEST(Special, NotANumberAndInfinities)
{
    EXPECT_EQ(FormatTenDigits(std::numeric_limits<double>::quiet_NaN()), "nan");
    EXPECT_EQ(FormatTenDigits(-std::numeric_limits<double>::infinity()), "-inf");
    EXPECT_EQ(FormatSignificant(std::numeric_limits<double>::infinity(), 15), "inf");
}

TEST(Significant, FifteenDigitsLikePrintf)
{
    EXPECT_EQ(FormatSignificant(-2, 15), "-2");
    EXPECT_EQ(FormatSignificant(0.1 + 0.2, 15), "0.3");
    EXPECT_EQ(FormatSignificant(1e-20, 15), "1e-20");
}

}  // namespace
