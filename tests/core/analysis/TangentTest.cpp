#include "core/analysis/LineClip.h"
#include "core/expr/NumberText.h"
#include "core/analysis/Tangent.h"
#include "core/analysis/TraceText.h"
#include "core/expr/Expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

CTangent TangentAt(const std::string &text, double x)
{
    CTangent t;
    t.SetFunction(text, true);
    t.ComputeAt(x);
    t.BuildEquation();
    return t;
}

TEST(Tangent, EquationTexts)
{
    const struct { const char *f; double x; const char *equation; } cases[] = {
        {"x^2", 1, "2.0000*x -1.0000"},
        {"x^2", 0, "0.0000"},
        {"2*x", 3, "2.0000*x "},  // trailing blank
        {"x^2", -1, "-2.0000*x -1.0000"},
        {"-x^2+4", 1, "-2.0000*x+5.0000"},
        {"ln(x)", -1, "This value of x isn't defined."},
        {"x^0.5", 0, "x= 0.000000"},  // vertical
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.f);
        EXPECT_EQ(TangentAt(c.f, c.x).m_strEquation, c.equation);
    }
}

TEST(Tangent, ValuesAngleAndPoints)
{
    const CTangent t = TangentAt("x^2", 1);
    EXPECT_TRUE(t.m_bValid);
    EXPECT_DOUBLE_EQ(t.m_dY, 1);
    EXPECT_DOUBLE_EQ(t.m_dSlope, 2);
    EXPECT_EQ(FormatFixed(t.m_dTheta, 4), "63.4349");
    EXPECT_DOUBLE_EQ(t.m_dIntercept, -1);
    EXPECT_DOUBLE_EQ(t.m_dX1, 1001);
    EXPECT_DOUBLE_EQ(t.m_dY1, 2001);
    EXPECT_DOUBLE_EQ(t.m_dX2, -999);
    EXPECT_DOUBLE_EQ(t.m_dY2, -1999);

    const CTangent undefined = TangentAt("ln(x)", -1);
    EXPECT_FALSE(undefined.m_bValid);
    EXPECT_EQ(undefined.m_dX1 + undefined.m_dY1 + undefined.m_dX2 + undefined.m_dY2, 0.0);

    const CTangent vertical = TangentAt("x^0.5", 0);
    EXPECT_TRUE(vertical.IsVertical());
    EXPECT_EQ(vertical.m_dY1, 1000);
    EXPECT_EQ(vertical.m_dY2, -1000);

    CTangent radians;
    radians.SetFunction("x", false);
    radians.ComputeAt(5);
    EXPECT_DOUBLE_EQ(radians.m_dTheta, std::atan(1.0));
}

TEST(Tangent, SlopeAndInterceptStayExact)
{
    // The text keeps four decimals; the line keeps every digit.
    const CTangent t = TangentAt("x^3", 1.23456789);
    const double slope = 3 * 1.23456789 * 1.23456789;
    EXPECT_NEAR(t.m_dSlope, slope, 1e-12);
    EXPECT_NEAR(t.m_dIntercept, std::pow(1.23456789, 3) - slope * 1.23456789, 1e-12);
    EXPECT_EQ(t.m_strEquation, "4.5725*x -3.7634");
}

TEST(Tangent, NewFunctionReplacesTheOld)
{
    CTangent t;
    t.SetFunction("x^2", true);
    t.SetFunction("x^3", true);
    t.ComputeAt(2);
    EXPECT_DOUBLE_EQ(t.m_dY, 8);
    EXPECT_DOUBLE_EQ(t.m_dSlope, 12);
    EXPECT_EQ(t.m_strFunction, "x^3");
}

TEST(TraceText, DigitFilter)
{
    const struct { const char *typed; double x; } cases[] = {
        {"1a2", 12}, {"-.5", -0.5}, {"1.2.3", 1.23}, {"", 0}, {"abc", 0}, {"-", 0},
        {"5-3", 53}, {"1e5", 15}, {" 2", 2}, {"--1", -1}, {".", 0},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(ReadTraceInput(c.typed), c.x) << c.typed;
}

TEST(TraceText, Formats)
{
    EXPECT_EQ(TraceResultText(1, false), "1.000000000000000");
    EXPECT_EQ(TraceResultText(1, true), "1.000000e+00");
    EXPECT_EQ(TraceResultText(NAN, false), "nan");
    EXPECT_EQ(TracePositionText(-1.5, 2), "x = -1.500000, y = 2.000000");
    // "%.15f" of 10^300 is over 300 characters.
    EXPECT_EQ(TraceResultText(1e300, false).size(), 301u + 16u);
    EXPECT_EQ(FormatFixed(-1e308, 15).size(), 326u);
}

TEST(TraceText, TangentBar)
{
    const CTangent t = TangentAt("x^2", 1);
    const auto texts = TangentBarTexts(t);
    EXPECT_EQ(texts[0], "x= 1.000000000000000");
    EXPECT_EQ(texts[1], "f(x)= 1.000000000000000");
    EXPECT_EQ(texts[2], "Theta= 63.4349");
    EXPECT_EQ(texts[3], "Slope= 2.000000000000000");
    EXPECT_EQ(TangentEquationText(t), "Equation: y = 2.0000*x -1.0000");

    const auto undefined = TangentBarTexts(TangentAt("ln(x)", -1));
    EXPECT_EQ(undefined[2], "Theta=        ----");
    EXPECT_EQ(undefined[3], "Slope=        ----");
}

TEST(LineClip, ClipsToTheArea)
{
    // A diagonal through the middle of a 100 x 100 area.
    auto s = ClipLine(50, 50, 1, 1, -INFINITY, INFINITY, 0, 0, 100, 100);
    ASSERT_TRUE(s);
    EXPECT_DOUBLE_EQ(s->x1, 0);
    EXPECT_DOUBLE_EQ(s->y1, 0);
    EXPECT_DOUBLE_EQ(s->x2, 100);
    EXPECT_DOUBLE_EQ(s->y2, 100);
    // A segment limited by its own ends.
    s = ClipLine(50, 50, 0, -1, -10, 10, 0, 0, 100, 100);
    ASSERT_TRUE(s);
    EXPECT_DOUBLE_EQ(s->y1, 60);
    EXPECT_DOUBLE_EQ(s->y2, 40);
    // A point of tangency far outside still gives the visible part.
    s = ClipLine(-1e12, 50, 1, 0, -INFINITY, INFINITY, 0, 0, 100, 100);
    ASSERT_TRUE(s);
    EXPECT_DOUBLE_EQ(s->x1, 0);
    EXPECT_DOUBLE_EQ(s->x2, 100);
    EXPECT_FALSE(ClipLine(50, 500, 1, 0, -INFINITY, INFINITY, 0, 0, 100, 100));
    EXPECT_FALSE(ClipLine(50, 50, 0, 0, -INFINITY, INFINITY, 0, 0, 100, 100));
    EXPECT_FALSE(ClipLine(INFINITY, 50, 1, 0, -INFINITY, INFINITY, 0, 0, 100, 100));
    EXPECT_FALSE(ClipLine(50, 50, 0, 1, 60, 70, 0, 0, 100, 100));
}

}  // namespace
