#include "core/calc/CalcEvaluator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct SCase {
    const char *name;
    const char *text;
    double expected;
    bool radian = false;
    int base = -1;
};

double Eval(const std::string &text, bool radian = false, int base = -1)
{
    CCalcEvaluator e(text);
    e.SetRadian(radian);
    e.SetBase(base);
    return e.Evaluate(false, 0.0);
}

double Substitute(const std::string &text, double x, int base = -1)
{
    CCalcEvaluator e(text);
    e.SetBase(base);
    return e.Evaluate(true, x);
}

void PrintTo(const SCase &c, std::ostream *os) { *os << c.text; }

std::string CaseName(const testing::TestParamInfo<SCase> &info) { return info.param.name; }

class EvaluatorCase : public testing::TestWithParam<SCase> {};

TEST_P(EvaluatorCase, Value)
{
    const SCase &c = GetParam();
    const double v = Eval(c.text, c.radian, c.base);
    if (std::isnan(c.expected))
        EXPECT_TRUE(std::isnan(v)) << c.text << " gave " << v;
    else if (std::isinf(c.expected))
        EXPECT_EQ(v, c.expected) << c.text;
    else
        EXPECT_NEAR(v, c.expected, 1e-12 * std::max(1.0, std::fabs(c.expected))) << c.text;
}

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// Reading rules the oracle table does not show: no implicit product, the
// factorial button's text, short literals, stray letters and spaces.
INSTANTIATE_TEST_SUITE_P(Grammar, EvaluatorCase, testing::Values(
    SCase{"NoImplicitProduct", "2(3)", 3},
    SCase{"FactorialButtonText", "! 5", 120},
    SCase{"DmsLiteralInSum", "1+30'30'0'", 31.5},
    SCase{"DmsTwoApostrophes", "30'30'", 30.5},
    SCase{"DmsOneApostrophe", "12'", 12},
    SCase{"ArcSineInDegrees", "asin(1)", 90},
    SCase{"FunctionWithoutBrackets", "sin30+1", 1.5},
    SCase{"NoSquareRootName", "sqrt", kNaN},
    SCase{"UnknownLetter", "q", kNaN},
    SCase{"Spaces", " 2 +  2 ", 4}),
    CaseName);

// Reading never leaves the text: incomplete input is NaN, never a read past
// its end (the sanitizer build would stop on one).
INSTANTIATE_TEST_SUITE_P(Incomplete, EvaluatorCase, testing::Values(
    SCase{"Empty", "", kNaN},
    SCase{"TrailingPlus", "5+", kNaN},
    SCase{"TrailingTimes", "2*", kNaN},
    SCase{"LoneBracket", "(", kNaN},
    SCase{"LoneFunction", "sin", kNaN},
    SCase{"OpenGroup", "(2+3", 5},
    SCase{"CloseOnly", ")", kNaN},
    SCase{"FunctionOpenBracket", "sin(", kNaN},
    SCase{"OperatorOnly", "^", kNaN}),
    CaseName);

// A negated operand after an operator or a function stays whole.
INSTANTIATE_TEST_SUITE_P(UnaryMinus, EvaluatorCase, testing::Values(
    SCase{"AfterPower", "2^-3", 0.125},
    SCase{"AfterDivision", "2/-4", -0.5},
    SCase{"PowerOfTen", "2*10^-3", 0.002},
    SCase{"AfterProductWithPower", "2*-3^2", -18},
    SCase{"Double", "2--3", 5},
    SCase{"DoubleAfterPower", "2^--1", 2},
    SCase{"AfterFunction", "sin-30", -0.5},
    SCase{"BracketedGroup", "2^-(1+1)", 0.25},
    SCase{"Leading", "-2+5", 3},
    SCase{"InsideBracket", "(-3^2)", -9},
    SCase{"AfterCombination", "5ncr-2", kNaN}),
    CaseName);

// Numbers the calculator writes read back as the same value.
INSTANTIATE_TEST_SUITE_P(Exponents, EvaluatorCase, testing::Values(
    SCase{"CapitalNegative", "1E-3", 1e-3},
    SCase{"CapitalPositive", "1E+3", 1e3},
    SCase{"CapitalPlain", "2E2", 200},
    SCase{"ShownForm", "1.5e-07", 1.5e-07},
    SCase{"ShownLarge", "1.5e+20", 1.5e20},
    SCase{"RecalledForm", "1.5*10^-07", 1.5e-07},
    SCase{"InSum", "1+1e-3", 1.001},
    SCase{"ConstantStillE", "2*e", 2 * 2.718281828},
    SCase{"Overflowing", "1E999", kInf},
    SCase{"Underflowing", "1E-999", 0},
    SCase{"HexMinusAfterLetter", "FF-1", 254, false, 16},
    SCase{"HexLetterE", "1E-3", 27, false, 16},
    SCase{"HexNegative", "-A", -10, false, 16}),
    CaseName);

// Names side by side never spell another name.
INSTANTIATE_TEST_SUITE_P(Names, EvaluatorCase, testing::Values(
    SCase{"AsecTanh", "asec tanh 0.5", std::acos(1 / std::tanh(0.5)) * 57.29577951308232},
    SCase{"AsinTanh", "asin tanh 0.5", std::asin(std::tanh(0.5)) * 57.29577951308232},
    SCase{"SechBeforeSec", "sech0", 1},
    SCase{"AcothBeforeAcot", "acoth2", std::atanh(0.5)},
    SCase{"LogBeforeLn", "log10", 1},
    SCase{"SecThenE", "sec0*e", 2.718281828}),
    CaseName);

// n!, nPr and nCr keep double precision and end at once for huge input.
INSTANTIATE_TEST_SUITE_P(Counting, EvaluatorCase, testing::Values(
    SCase{"PermutationsBeyond32Bits", "20npr8", 5079110400.0},
    SCase{"CombinationsBeyond32Bits", "20ncr10", 184756},
    SCase{"FactorialOfZero", "!0", 1},
    SCase{"PermutationsOfNone", "7npr0", 1},
    SCase{"CombinationsOfNone", "7ncr0", 1},
    SCase{"FactorialOfOne", "!1", 1},
    SCase{"FactorialLarge", "!170", 7.257415615307994e306},
    SCase{"FactorialOverflow", "!171", kInf},
    SCase{"FactorialHuge", "!1E12", kInf},
    SCase{"FactorialInfinite", "!(1/0)", kInf},
    SCase{"FactorialNaN", "!(0/0)", kNaN},
    SCase{"PermutationsHugeR", "5npr1E15", 0},
    SCase{"PermutationsHugeRFraction", "2.5npr1E15", 0},
    SCase{"PermutationsNegativeR", "5npr(0-2)", kNaN}),
    CaseName);

// Large arguments of the inverse hyperbolic functions keep their values.
INSTANTIATE_TEST_SUITE_P(InverseHyperbolic, EvaluatorCase, testing::Values(
    SCase{"AsinhLargeNegative", "asinh(-1E9)", std::asinh(-1e9)},
    SCase{"AcoshLarge", "acosh(1E200)", std::acosh(1e200)},
    SCase{"AcschSmall", "acsch(1E-200)", std::asinh(1e200)},
    SCase{"AsechSmall", "asech(1E-200)", std::acosh(1e200)},
    SCase{"AtanhOutside", "atanh 2", kNaN}),
    CaseName);

TEST(CalcSubstitution, ValueIsBracketed)
{
    EXPECT_DOUBLE_EQ(Substitute("x^2-1", 3), 8);
    EXPECT_DOUBLE_EQ(Substitute("x^2-1", -3), 8);
    EXPECT_DOUBLE_EQ(Substitute("2-x", -3), 5);
}

TEST(CalcSubstitution, PlainNumberWithoutExponent)
{
    CCalcEvaluator e("x+1");
    EXPECT_DOUBLE_EQ(e.Evaluate(true, 1e-7), 1.0000001);
    EXPECT_EQ(e.WorkingText().find('E'), std::string::npos) << e.WorkingText();
    EXPECT_DOUBLE_EQ(Substitute("x", 1e300), 1e300);
    EXPECT_DOUBLE_EQ(Substitute("x", -2.5e-300), -2.5e-300);
}

TEST(CalcSubstitution, ImplicitProductWithX)
{
    EXPECT_DOUBLE_EQ(Substitute("2x", 3), 6);
    EXPECT_DOUBLE_EQ(Substitute("x2", 3), 6);
    EXPECT_DOUBLE_EQ(Substitute("xx", 3), 9);
    EXPECT_DOUBLE_EQ(Substitute("(x+1)x", 3), 12);
    EXPECT_NEAR(Substitute("x sin(x)", 90), 90, 1e-12);
    EXPECT_DOUBLE_EQ(Substitute("    2x", 3), 6);
}

TEST(CalcSubstitution, NonFiniteAndOtherBase)
{
    EXPECT_TRUE(std::isnan(Substitute("x+1", kNaN)));
    EXPECT_EQ(Substitute("x+1", kInf), kInf);
    EXPECT_DOUBLE_EQ(Substitute("x+1", 255, 16), 256);
    EXPECT_DOUBLE_EQ(Substitute("x+1", -255, 16), -254);
}

TEST(CalcSubstitution, ReplacesEveryTimeFromTheSource)
{
    CCalcEvaluator e("x*x");
    EXPECT_DOUBLE_EQ(e.Evaluate(true, 2), 4);
    EXPECT_DOUBLE_EQ(e.Evaluate(true, 5), 25);
}

TEST(CalcNesting, DeepInputEndsWithoutCrash)
{
    EXPECT_TRUE(std::isnan(Eval(std::string(100000, '('))));
    EXPECT_TRUE(std::isnan(Eval(std::string(100000, 's') + "1")));
    const std::string deep = std::string(500, '(') + "2" + std::string(500, ')');
    EXPECT_DOUBLE_EQ(Eval(deep), 2);
}

TEST(CalcCounting, DirectValues)
{
    EXPECT_EQ(CCalcEvaluator::Factorial(5), 120);
    EXPECT_EQ(CCalcEvaluator::Factorial(2.5), 2.5);  // the fraction stays in the first factor only
    EXPECT_EQ(CCalcEvaluator::Factorial(-3), -3);
    EXPECT_EQ(CCalcEvaluator::Permutations(5.9, 2.9), 24);  // 5 x 4.9, truncated
    EXPECT_EQ(CCalcEvaluator::Permutations(1e300, 1e300), kInf);
    EXPECT_EQ(CCalcEvaluator::Combinations(52, 5), 2598960);
    EXPECT_TRUE(std::isinf(CCalcEvaluator::Permutations(-2.5, 1e15)));
    EXPECT_TRUE(std::isnan(CCalcEvaluator::Combinations(1e300, 1e300)));
}

TEST(CalcIncomplete, EmbeddedNulEndsTheReading)
{
    EXPECT_TRUE(std::isnan(Eval(std::string("2+\0" "3", 4))));
}

}  // namespace
