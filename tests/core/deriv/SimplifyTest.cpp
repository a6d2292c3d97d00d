#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "core/deriv/ConstantEvaluator.h"
#include "core/deriv/ConstantText.h"
#include "core/deriv/Simplify.h"
#include "core/expr/Expression.h"

namespace {

TEST(ConstantEvaluator, Values)
{
    const double kPi = 3.141592654;
    const struct { const char *m_szText; double m_dValue; } cases[] = {
        {"2-1", 1}, {"(2*3", 6}, {"3.141592654/2", kPi / 2}, {"A(0)", 0}, {"Y(2.718281828)", std::log(2.718281828)},
        {"2*", 0}, {"-2^2", -4}, {"2^-2", 0.25}, {"2*(3+1)", 8}, {"(2+3)*4", 20}, {"8/4/2", 1}, {"10-4-3", 3},
        {"2^3^2", 512}, {"sin(0)+cos(0)", 1}, {"ln(1)", 0}, {"log(1000)", 3}, {"asinh(0)", 0},
        {"acot(1)", std::atan(1.0)}, {"sec(0)", 1}, {"", 0}, {"abc", 0}, {"1.5.5", 1.5},
        {"1.23456*10^300", 1.23456 * std::pow(10.0, 300)}, {"-Y0", INFINITY},
    };
    for (const auto &c : cases)
        EXPECT_DOUBLE_EQ(CConstantEvaluator(c.m_szText).m_dValue, c.m_dValue) << c.m_szText;
    EXPECT_TRUE(std::isnan(CConstantEvaluator("G2").m_dValue));
    EXPECT_TRUE(std::isnan(CConstantEvaluator("Y(-1)").m_dValue));
}

TEST(FormatConstant, ShortValuesLookPlain)
{
    const struct { double m_dValue; const char *m_szText; } cases[] = {
        {2, "2"}, {0.5, "0.5"}, {49, "49"}, {0.25, "0.25"}, {-12.345, "-12.345"}, {1.23456, "1.23456"},
        {-1234.5, "-1234.5"}, {0, "0"}, {-0.0, "0"}, {1e20, "100000000000000000000"}, {0.000001, "0.000001"},
        {1.0 / 3, "0.3333333333333333"}, {2.718281828, "2.718281828"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatConstant(c.m_dValue), c.m_szText) << c.m_dValue;
}

// Every double comes back from its text bit for bit, through the expression
// core, without exponent notation and with at most 17 significant digits
// (or plain digits as the rare last resort).
TEST(FormatConstant, EveryValueReadsBackThroughTheCore)
{
    std::vector<double> values = {DBL_MAX, -DBL_MAX, DBL_MIN, 5e-324, 1e300, 1e-300, 1e21, 1e-7,
                                  123456789012345678.0, 9.007199254740993e15,
                                  std::numeric_limits<double>::quiet_NaN(), INFINITY, -INFINITY};
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-320, 308);
    for (int i = 0; i < 3000; ++i)
        values.push_back(mantissa(rng) * std::pow(10.0, exponent(rng)));
    int shortTexts = 0;
    for (double v : values) {
        const std::string text = FormatConstant(v);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        CExpression e;
        e.SetExpression(text);
        EXPECT_EQ(CheckSyntax(e.m_strCoded), 0) << text;
        const double back = e.Evaluate(0.0);
        const bool bSame = std::isnan(v) ? std::isnan(back) : back == v && std::signbit(back) == std::signbit(v);
        EXPECT_TRUE(bSame) << v << " -> " << text;
        EXPECT_TRUE(ReadsBackTo(text, v)) << text;
        shortTexts += text.size() <= 32;
    }
    EXPECT_GT(shortTexts, static_cast<int>(values.size()) * 99 / 100);
}

struct SRewrite
{
    const char *m_szRaw;
    const char *m_szSimplified;
};

const SRewrite kRewrites[] = {
    {"(2)*(x)^(2-1)*(1)+(0)*(x)^(2)*ln(x)", "2*x"}, {"(sec(x))^2*(1)", "(Fx)^2"},
    // C: zero terms, with their sign; exponents and arguments are no factors.
    {"(x)*0+3", "3"}, {"2*(x)^2*1+0*(x)^2*ln(x)", "2*x^2"}, {"(0*(x))+x", "x"}, {"x-0*x+x", "x+x"},
    {"x^0*2", "x^0*2"}, {"sin(0)+x", "A0+x"}, {"0", "0"}, {"", "0"},
    // C: a bracketed term goes with its brackets only where it fills them;
    // otherwise the signs and terms around it stay.
    {"x+((x)*0*(x))-x", "x-x"}, {"x+(x)*0*(x)-x", "x-x"}, {"x-(x)*0*(x)+x", "x+x"}, {"(x)*0*(x)", "0"},
    // D: empty brackets.
    {"x*()", "0"}, {"x+(+)", "x"}, {"(-)*x+x", "x"},
    // E, F, G, H, I.
    {"x*1", "x"}, {"x*1.5", "x*1.5"}, {"x*10", "x*10"}, {"x^1", "x"}, {"1*x", "x"}, {"21*x", "21*x"},
    {"(x)+(x)", "x+x"}, {"+x", "x"}, {"x~1", "x-1"},
    // M: brackets that precedence needs stay.
    {"2*(x*3)", "2*x*3"}, {"2-(x-3)", "2-(x-3)"}, {"2/(x*3)", "2/(x*3)"}, {"-(x+1)", "-(x+1)"},
    {"A(x+1)", "A(x+1)"}, {"x*A(2)", "x*A2"}, {"(x+1)+x", "x+1+x"}, {"((x))", "x"}, {"(-x)^2", "(-x)^2"},
    {"x^(2*x)", "x^(2*x)"},
    // N: e and pi by name, only as numbers of their own.
    {"2.718281828*x", "e*x"}, {"3.141592654*x", "pi*x"}, {"12.718281828*x", "12.718281828*x"},
    {"3.1415926541*x", "3.1415926541*x"}, {"(2.718281828)", "e"}, {"(3.141592654)*x", "pi*x"},
    // A: constant groups fold; the whole text too.
    {"x*(2-1)", "x"}, {"(2*3)+(1)", "7"}, {"x^(1/4)", "x^0.25"}, {"x*((~3)^2)", "x*9"}, {"x*(0-3)^2", "x*(-3)^2"},
};
TEST(Simplify, Rewrites)
{
    for (const SRewrite &r : kRewrites) {
        std::string text = r.m_szRaw;
        Simplify(text);
        EXPECT_EQ(text, r.m_szSimplified) << r.m_szRaw;
    }
}

}  // namespace
