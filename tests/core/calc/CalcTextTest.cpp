#include "core/calc/CalcText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(CalcText, ResultFormats)
{
    EXPECT_EQ(FormatResult(0.25), "0.25  ");
    EXPECT_EQ(FormatResult(4), "4. ");
    EXPECT_EQ(FormatResult(1.5e20), "1.5e+20. ");
    EXPECT_EQ(FormatResult(1.0 / 3), "0.3333333333333333  ");
    EXPECT_EQ(FormatResult(std::numeric_limits<double>::quiet_NaN()), "nan  ");
    EXPECT_EQ(FormatResult(-std::numeric_limits<double>::quiet_NaN()), "nan  ");
    EXPECT_EQ(FormatPowerResult(16), "16. ");
    EXPECT_EQ(FormatPowerResult(0.5), "0.5 ");
    EXPECT_EQ(FormatG10(1.0 / 3), "0.3333333333");
}

TEST(CalcText, ResultInBase)
{
    EXPECT_EQ(FormatResultInBase(256, 2), "100000000. ");
    EXPECT_EQ(FormatResultInBase(10.5, 2), "1010.1  ");
    EXPECT_EQ(FormatResultInBase(-255, 16), "-FF. ");
    EXPECT_EQ(FormatResultInBase(std::numeric_limits<double>::infinity(), 16), "inf. ");
    EXPECT_EQ(FormatResultInBase(5, 37), "");
}

// Only the point the format appended goes; the exponent stays whole.
TEST(CalcText, StoreAndCopyKeepTheValue)
{
    EXPECT_EQ(StoreText("4. ", true), "4");
    EXPECT_EQ(StoreText("0.25  ", false), "0.25");
    EXPECT_EQ(StoreText("1.5e+20. ", true), "1.5e+20");
    EXPECT_EQ(StoreText("1010.1  ", true), "1010.1");
    EXPECT_EQ(CopyText("1.5e+20. "), "1.5e+20");
    EXPECT_EQ(CopyText("4. "), "4");
    EXPECT_EQ(CopyText("0.25  "), "0.25");
    EXPECT_EQ(CopyText("30\xC2\xB0 15' 0.00\"  "), "30\xC2\xB0" "15'0.00\"");
}

TEST(CalcText, Recall)
{
    EXPECT_EQ(RecallText("1.5e-07"), "1.5*10^-07");
    EXPECT_EQ(RecallText("1.5e+20"), "1.5*10^20");
    EXPECT_EQ(RecallText("42"), "42");
}

TEST(CalcText, DegreesMinutesSeconds)
{
    EXPECT_EQ(ConvertDms("30.25  "), "30\xC2\xB0 15' 0.00\"  ");
    EXPECT_EQ(ConvertDms("-10.5  "), "-10\xC2\xB0 30' 0.00\"  ");
    EXPECT_EQ(ConvertDms("30\xC2\xB0 15' 0.00\"  "), "30.25  ");
    EXPECT_EQ(ConvertDms("-10\xC2\xB0 30' 0.00\"  "), "-10.5  ");
    // Beyond a 32-bit integer: the degrees are written whole.
    EXPECT_EQ(ConvertDms("12345678901. "), "12345678901\xC2\xB0 0' 0.00\"  ");
    EXPECT_EQ(ConvertDms("nan  "), "nan  ");
    EXPECT_EQ(ConvertDms("inf. "), "inf. ");
    EXPECT_EQ(ConvertDms("0. "), "0\xC2\xB0 0' 0.00\"  ");
}

TEST(CalcText, ReadNumber)
{
    EXPECT_EQ(ReadNumberText("  -12.5abc"), -12.5);
    EXPECT_EQ(ReadNumberText("+3"), 3);
    EXPECT_EQ(ReadNumberText("abc"), 0);
    EXPECT_EQ(ReadNumberText("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadNumberText("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ReadNumberText("1e-400"), 0);
    EXPECT_EQ(ReadNumberText("--3"), 0);
}

// The angle comes from atan2: the sign of y stays; (0, 0) is at 0.
TEST(CalcText, RectangularAndPolar)
{
    auto [r, a] = RectToPolar(1, -1);
    EXPECT_DOUBLE_EQ(r, std::sqrt(2.0));
    EXPECT_DOUBLE_EQ(a, -45);
    std::tie(r, a) = RectToPolar(0, -2);
    EXPECT_DOUBLE_EQ(r, 2);
    EXPECT_DOUBLE_EQ(a, -90);
    std::tie(r, a) = RectToPolar(-1, 0);
    EXPECT_DOUBLE_EQ(a, 180);
    std::tie(r, a) = RectToPolar(0, 0);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(a, 0);
    std::tie(r, a) = RectToPolar(-0.0, -0.0);
    EXPECT_EQ(a, 0);
    auto [x, y] = PolarToRect(2, 90);
    EXPECT_NEAR(x, 0, 1e-15);
    EXPECT_DOUBLE_EQ(y, 2);
}

}  // namespace
