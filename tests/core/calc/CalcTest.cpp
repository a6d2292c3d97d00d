#include "core/calc/BaseNumber.h"
#include "core/calc/CalcEvaluator.h"
#include "core/calc/CalcFunctions.h"
#include "core/calc/CalcText.h"
#include "core/calc/FunctionValue.h"
#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <tuple>
#include <utility>

namespace {

constexpr double D = 0.017453292519943295;  // degrees to radians
constexpr double R = 57.29577951308232;     // radians to degrees
constexpr double PI = std::numbers::pi;
constexpr double E = std::numbers::e;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr bool Rad = true;
constexpr bool Deg = false;

// Each expression against the value the standard library gives for it,
// written out by hand with the calculator's reading rules: equal priorities
// from left to right, a number before a name or "(" multiplies, angles in
// degrees unless marked (exact where the angle is a whole 30 or 45).
TEST(CalcOracle, MatchesReference)
{
    const struct { const char *text; double expected; bool radian = Deg; int base = -1; } cases[] = {
        // Arithmetic and priorities
        {"2+3*4", 14}, {"1-2*3", -5}, {"2^3^2", 64}, {"-3^2", -9}, {"8/2*4", 16}, {"8/2/2", 2}, {"2-3-4", -5},
        {"2+3^2*2", 20}, {"2*(3+4)^2", 98}, {"0.1+0.2", 0.1 + 0.2}, {"2^0.5", std::pow(2, 0.5)},
        {"2(3)", 6}, {"(2)3", 6}, {"(2) 3", 6}, {"(1+1)0.5", 1}, {" 2 +  2 ", 4}, {"2pi", 2 * PI}, {"3sin(30)", 1.5},
        {"2e^2", 2 * std::exp(2.0)}, {"2pi^2", 2 * PI * PI}, {"(1+1)(2+1)", 6}, {"5!", 120}, {"3!+1", 7},
        {"sqrt(16)+abs(-2.5)", 6.5}, {"cbrt(-8)", -2}, {"2exp 1", 2 * std::exp(1.0)},
        // A negated operand after an operator or a function stays whole.
        {"2^-3", 0.125}, {"2/-4", -0.5}, {"2*-3^2", -18}, {"2--3", 5}, {"2^--1", 2}, {"sin-30", -0.5},
        {"2^-(1+1)", 0.25}, {"-2*-3", 6}, {"-(2+3)", -5}, {"2^-2^2", std::pow(std::pow(2, -2), 2)},
        {"2^-----3^2", std::pow(2, -6)}, {"1------2", 3}, {"2*----3", 6}, {"-----3^2", -9},
        // Numbers the calculator writes read back as the same value.
        {"1E-3", 1e-3}, {"1E+3", 1e3}, {"1.5e-07", 1.5e-07}, {"1.5*10^-07", 1.5e-07}, {"1+1e-3", 1.001},
        {"12.5e1", 125}, {"1E-999", 0},
        // Constants; trigonometric in degrees unless marked, inverse ones answer in degrees.
        {"pi", PI}, {"e^2", std::exp(2.0)}, {"sin30", 0.5}, {"cos60", 0.5}, {"2*sin(30)^2", 0.5}, {"cos 90", 0},
        {"sin 180", 0}, {"cos(-120)", -0.5}, {"sin 750", 0.5}, {"tan45", 1}, {"tan 225", 1}, {"tan 10", std::tan(10 * D)},
        {"sin 1E300", std::sin(std::fmod(1e300, 360.0) * D)}, {"sec60", 2}, {"csc30", 2}, {"cot45", 1}, {"sin30^2", 0.25},
        {"sin sin 30", std::sin(std::sin(30 * D) * D)}, {"cos2", std::cos(2), Rad}, {"cot1", 1 / std::tan(1), Rad},
        {"asin(0.5)", 30}, {"acos(0.5)", 60}, {"atan1", 45}, {"acos(-1)", 180}, {"atan 0.3", std::atan(0.3) * R},
        {"asec2", std::acos(0.5) * R}, {"acsc2", std::asin(0.5) * R}, {"acot1", std::atan(1) * R},
        {"asin1", std::asin(1.0), Rad}, {"acot(3)", std::atan(1.0 / 3), Rad}, {"acot0", 90},
        // Hyperbolic and inverse hyperbolic, the same in radians; large arguments keep their values.
        {"sinh1", std::sinh(1)}, {"cosh1", std::cosh(1)}, {"tanh1", std::tanh(1)}, {"coth1", 1 / std::tanh(1)},
        {"sech1", 1 / std::cosh(1)}, {"csch1", 1 / std::sinh(1)}, {"sinh1", std::sinh(1), Rad},
        {"asinh(-1E9)", std::asinh(-1e9)}, {"acosh(1E200)", std::acosh(1e200)}, {"acsch(1E-200)", std::asinh(1e200)},
        {"asech(1E-200)", std::acosh(1e200)}, {"acsch(-2)", std::asinh(-0.5)}, {"acoth(-3)", std::atanh(-1.0 / 3)},
        {"atanh0.5", std::atanh(0.5)},
        // Names side by side never spell another name.
        {"asec coth 0.5", std::acos(std::tanh(0.5)) * R}, {"asin tanh 0.5", std::asin(std::tanh(0.5)) * R},
        {"sech0", 1}, {"log10", 1}, {"sec0*e", E},
        // Logarithms
        {"ln2", std::log(2)}, {"log1000", 3}, {"log0.01", -2},
        // Factorial, permutations, combinations: double precision, at once for huge input; a
        // fraction stays in the first factor only and a truncated product has no negative zero.
        {"! 5", 120}, {"!0", 1}, {"!3+1", 7}, {"2*!3", 12}, {"!(2+2)", 24}, {"!170", 7.257415615307999e+306}, {"!20", 2432902008176640000.0},
        {"20npr8", 5079110400.0}, {"20ncr10", 184756},
        {"52ncr5", 2598960}, {"7npr0", 1}, {"6ncr6", 1}, {"5ncr2*2", 20}, {"2+5npr2", 22},
        {"5npr1E15", 0}, {"5ncr1E15", 0},
        {"1E300ncr1E300", 1}, {"6ncr2", 15}, {"5nCr2", 10}, {"5NPR2", 20}, {"SIN 30", 0.5}, {"Pi", PI},
        {"300ncr150", 9.375970277282745e88}, {"1000ncr500", 2.702882409454366e299}, {"200ncr199", 200},
        {"1E300ncr1", 1e300}, {"1E300npr1", 1e300},
        // Degrees-minutes-seconds literals
        {"30'15'0'", 30.25}, {"10'30'36'", 36 * 0.0002777777777777778 + 30 * 0.016666666666666666 + 10},
        {"2*45'30'0'", 91}, {"sin(30'0'0')", 0.5}, {"1+30'30'0'", 31.5}, {"30'30'", 30.5}, {"12'", 12},
        {"1'2'3'+1'2'3'", 2 * (1 + 2 / 60.0 + 3 / 3600.0)},
        // The display's own form reads back.
        {"30\xC2\xB0 15' 0.00\"", 30.25}, {"-10\xC2\xB0 30' 0.00\"", -10.5}, {"30\xC2\xB0" "15'", 30.25}, {"2*30\xC2\xB0", 60},
        // Exact multiples of pi in radians.
        {"sin(pi)", 0, Rad}, {"tan(pi/4)", 1, Rad}, {"cos(pi/2)", 0, Rad}, {"sin(2pi)", 0, Rad}, {"cos(pi*0.5)", 0, Rad},
        {"sin(pi/6)", 0.5, Rad}, {"sin(-pi)", 0, Rad}, {"cos(pi-pi/2)", 0, Rad},
        {"sin(3.141592653589793)", std::sin(PI), Rad}, {"sin(pi+1E-20)", std::sin(PI), Rad},
        // Other bases
        {"FF", 255, Deg, 16}, {"A.8", 10.5, Deg, 16}, {"FF-1", 254, Deg, 16}, {"10*10", 256, Deg, 16},
        {"101+11", 8, Deg, 2}, {"1.1", 1.5, Deg, 2}, {"777", 511, Deg, 8}, {"ZZ", 1295, Deg, 36}, {"-A+1", -9, Deg, 16},
        {"sin(1E)", 0.5, Deg, 16}, {"1E-3", 27, Deg, 16}, {"10^2", 64, Deg, 8}, {"!5", 120, Deg, 6},
        {"ff", 255, Deg, 16}, {"1e", 30, Deg, 16}, {"2e", 2 * E, Deg, 14}, {"3cos(0)", 3, Deg, 16}, {"zz", 1295, Deg, 36},
        // From base 15 on, e is a digit.
        {"2e", 2 * E, Deg, 14}, {"1e", 29, Deg, 15}, {"e", 14, Deg, 15}, {"E", 14, Deg, 15}, {"5nCr2", 10, Deg, 16},
        {"FACE", 64206, Deg, 16}, {"1.1*10^-11", 0.1875, Deg, 2},
    };
    for (const auto &c : cases) {
        CCalcEvaluator e(c.text);
        e.SetRadian(c.radian);
        e.SetBase(c.base);
        const SCalcResult r = e.Calculate(false, 0.0);
        EXPECT_TRUE(r.Ok()) << c.text << ": " << r.strReason;
        const double v = r.dValue;
        // The display shows 16 digits; the last may differ by the rounding
        // of a different but equivalent order of operations.
        if (std::isnan(c.expected) || std::isinf(c.expected) || c.expected == 0)
            EXPECT_EQ(FormatSignificant(v, 16), FormatSignificant(c.expected, 16)) << c.text;
        else
            EXPECT_NEAR(v, c.expected, 4e-16 * std::fabs(c.expected)) << c.text << " shows " << FormatSignificant(v, 16);
    }
}

// Text that cannot be read completely gets no number: the reason and the
// character where reading stopped.
TEST(CalcRefusal, MalformedTextIsRefusedWithReasonAndPlace)
{
    const struct { std::string text; int base; std::string reason; std::size_t at; } cases[] = {
        {"(2+3", -1, "missing ')'", 5}, {"2+3)", -1, "')' without '('", 4}, {"(2+3)*(4", -1, "missing ')'", 9},
        {"2+", -1, "missing number", 3}, {"*3", -1, "missing number", 1}, {"", -1, "nothing to calculate", 1},
        {"  ", -1, "nothing to calculate", 1}, {"abc", -1, "unknown name 'abc'", 1}, {"1..2", -1, "second '.' in a number", 3},
        {"sqr(4)", -1, "unknown name 'sqr'", 1}, {"2+ex(1)", -1, "unknown name 'ex'", 3}, {"102", 2, "'2' is not a digit in base 2", 3},
        {"15", 2, "'5' is not a digit in base 2", 2}, {"FG", 16, "'G' is not a digit in base 16", 2},
        {"30 15 10", -1, "missing operator", 4}, {"!3.5", -1, "factorial needs a whole number from 0 up", 1},
        {"!-5", -1, "factorial needs a whole number from 0 up", 1}, {"2.5!", -1, "factorial needs a whole number from 0 up", 4},
        {"tan 90", -1, "tan 90 is undefined", 1}, {"1+sec(-270)", -1, "sec -270 is undefined", 3},
        {"cot 180", -1, "cot 180 is undefined", 1}, {"csc 0", -1, "csc 0 is undefined", 1}, {"5+", -1, "missing number", 3},
        {"sin", -1, "missing number", 4}, {"sin(", -1, "missing number", 5}, {")", -1, "missing number", 1},
        {"^", -1, "missing number", 1}, {"ncr 2", -1, "missing number", 1}, {".", -1, "missing digits", 1},
        {"2x", -1, "unknown name 'x'", 2}, {"30'15", -1, "missing operator", 4}, {"2\xC2\xB1", -1, "unexpected '\xC2\xB1'", 2},
        {std::string("2+\0" "3", 4), -1, "unexpected character", 3}, {std::string(100000, '('), -1, "nested too deeply", 252},
        {std::string(300, 's') + "1", -1, "unknown name '" + std::string(24, 's') + "'", 1},
        {"5.5ncr2", -1, "ncr needs whole numbers from 0 up", 4}, {"5ncr2.5", -1, "ncr needs whole numbers from 0 up", 2},
        {"5npr(0-2)", -1, "npr needs whole numbers from 0 up", 2}, {"2.5npr1E15", -1, "npr needs whole numbers from 0 up", 4},
        {"5ncr-2", -1, "ncr needs whole numbers from 0 up", 2}, {"tan(pi/2)", -1, "tan 1.570796326794897 is undefined", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text.substr(0, 20));
        CCalcEvaluator e(c.text);
        e.SetBase(c.base);
        e.SetRadian(c.text.find("pi") != std::string::npos);
        const SCalcResult r = e.Calculate();
        EXPECT_EQ(r.strReason, c.reason);
        EXPECT_EQ(r.nPosition + 1, c.at);
        EXPECT_TRUE(std::isnan(r.dValue));
    }
    EXPECT_EQ(RefusalText(CCalcEvaluator("(2+3").Calculate()), "missing ')' at character 5");
    // Long texts that nest little stay within reach.
    EXPECT_DOUBLE_EQ(CCalcEvaluator(std::string(200, '(') + "2" + std::string(200, ')')).Evaluate(), 2);
    EXPECT_EQ(CCalcEvaluator(std::string(9999, '-') + "1").Evaluate(), -1);
}

// The calculator's own x, and the graph's reading of a plotted function.
TEST(CalcSubstitution, XTakesTheValueAndFunctionsReadAsTheGraphDoes)
{
    const struct { const char *text; double x, expected; int base = -1; } cases[] = {
        {"x^2-1", -3, 8}, {"2x", 3, 6}, {"xx", 3, 9}, {"(x+1)x", 3, 12}, {"x sin(x)", 90, 90}, {"x+1", 255, 256, 16},
    };
    for (const auto &c : cases) {
        CCalcEvaluator e(c.text);
        e.SetBase(c.base);
        EXPECT_DOUBLE_EQ(e.Evaluate(true, c.x), c.expected) << c.text;
    }
    const struct { const char *text; double x, expected; } functions[] = {
        {"2^x^2", 3, 512}, {"sin(x)", 0.5, std::sin(0.5)}, {"3sin(x)", 1, 3 * std::sin(1.0)},
        {"2e^x", 0, 2}, {"    2*x", 4, 8}, {"X^2-1", 3, 8}, {"cbrt(x)+exp(x)", -8, -2 + std::exp(-8.0)},
    };
    for (const auto &c : functions) {
        const SCalcResult r = FunctionValue(c.text, c.x);
        EXPECT_TRUE(r.Ok()) << c.text;
        EXPECT_NEAR(r.dValue, c.expected, 1e-15 * std::fabs(c.expected)) << c.text;
    }
    for (const char *text : {"sin(x", "", "2+*"})
        EXPECT_FALSE(FunctionValue(text, 1).Ok()) << text;
}

TEST(BaseNumber, ConversionsBothWays)
{
    const struct { double value; int base; const char *digits; } cases[] = {
        {10.5, 2, "1010.1"}, {255, 16, "FF"}, {0, 16, "0"}, {256, 2, "100000000"}, {35, 36, "Z"}, {0.25, 16, "0.4"},
        {-10, 2, "-1010"}, {-255, 16, "-FF"}, {9007199254740991.0, 36, "2GOSA7PA2GV"}, {1234567, 7, "13331215"},
        {1.7976931348623157e308, 2, nullptr},
    };
    CBaseNumber n;
    for (const auto &c : cases) {
        ASSERT_TRUE(n.FromDecimal(c.value, c.base));
        // The largest double ends with its own digits, not with rounding noise.
        EXPECT_EQ(n.m_strOutput, c.digits ? c.digits : std::string(53, '1') + std::string(1024 - 53, '0'));
        n.m_strInput = n.m_strOutput;
        EXPECT_EQ(n.ToDecimal(c.base), c.value) << n.m_strInput;
    }
    // The digits a double holds: all of them in a base that is a power of
    // two, 33 significant in base 3 (worked out with exact fractions).
    const struct { double value; int base; const char *digits; } exact[] = {
        {0.1, 3, "0.0022002200220022002200220022002201"},
        {1.0 / 3, 2, "0.010101010101010101010101010101010101010101010101010101"},
        {1e-300, 2, "1.0101011011100001111111000010111110001111001101011001*10^-1111100101"},
        {0.1, 10, "0.1"}, {1e-20, 10, "1*10^-20"}, {-0.375, 2, "-0.011"}, {2e-15, 16, "0.000000000000901D7CF73AB0B"}, {2e-18, 16, "2.4E4BBA3A48758*10^-F"},
        {1e300, 36, "FHGYJDFCG6JCI9PAUGNBJHYI9EVJJ9LSYRNMASS0ATVV577BR1U3JL5OHEYMZ7IARK4BCN6ZW824G86EYMQTDCH61CUGE0AOLNK2GK4IQDAW"
                    "9104YP26BFC538TULHF1W6JSHTXBERKVRDJQNYIL7J4T7HHXJ0ST4E3Q2XYF7QM7BUZL1U48YXDUDJ2N5CZK0"},
    };
    for (const auto &c : exact) {
        n.FromDecimal(c.value, c.base);
        EXPECT_EQ(n.m_strOutput, c.digits);
    }
    n.m_strInput = "ff.8";
    EXPECT_EQ(n.ToDecimal(16), 255.5);
    for (const auto &[digits, value] : {std::pair{"", "0"}, {".", "0"}, {"1_2", "nan"}, {"1.2.3", "nan"}}) {
        n.m_strInput = digits;
        EXPECT_EQ(FormatSignificant(n.ToDecimal(16), 16), value) << digits;
    }
    // No digits: refused.
    for (const auto &[v, base, text] : {std::tuple{kInf, 2, "inf"}, {-kInf, 2, "-inf"}, {kNaN, 2, "nan"}, {5.0, 1, ""},
                                        {5.0, 37, ""}, {5.0, -5, ""}}) {
        EXPECT_FALSE(n.FromDecimal(v, base)) << text;
        EXPECT_EQ(n.m_strOutput, text);
    }
}

TEST(CalcText, ResultTexts)
{
    const struct { std::string got, expected; } cases[] = {
        {FormatResult(0.25), "0.25  "}, {FormatResult(4), "4. "}, {FormatResult(1.5e20), "1.5e+20. "},
        {FormatResult(1.0 / 3), "0.333333333333333  "}, {FormatResult(1 - 0.9), "0.1  "}, {FormatResult(kNaN), "nan  "}, {FormatResult(-kNaN), "nan  "},
        {FormatPowerResult(16), "16. "}, {FormatPowerResult(0.5), "0.5 "}, {FormatSignificant(1.0 / 3, 10), "0.3333333333"},
        {FormatResultInBase(256, 2), "100000000. "}, {FormatResultInBase(10.5, 2), "1010.1  "},
        {FormatResultInBase(-255, 16), "-FF. "}, {FormatResultInBase(kInf, 16), "inf. "},
        {FormatResultInBase(5, 37), ""},
        // Only the point the format appended goes; the exponent stays whole.
        {StoreText("4. ", true), "4"}, {StoreText("0.25  ", false), "0.25"}, {StoreText("1.5e+20. ", true), "1.5e+20"},
        {StoreText("1010.1  ", true), "1010.1"}, {CopyText("1.5e+20. "), "1.5e+20"}, {CopyText("4. "), "4"},
        {CopyText("0.25  "), "0.25"}, {CopyText("30\xC2\xB0 15' 0.00\"  "), "30\xC2\xB0" "15'0.00\""},
        {RecallText("1.5e-07"), "1.5*10^-07"}, {RecallText("1.5e+20"), "1.5*10^20"}, {RecallText("42"), "42"},
        {ConvertDms("30.25  "), "30\xC2\xB0 15' 0.00\"  "}, {ConvertDms("-10.5  "), "-10\xC2\xB0 30' 0.00\"  "},
        {ConvertDms("30\xC2\xB0 15' 0.00\"  "), "30.25  "}, {ConvertDms("-10\xC2\xB0 30' 0.00\"  "), "-10.5  "},
        {ConvertDms("12345678901. "), "12345678901\xC2\xB0 0' 0.00\"  "},  // degrees beyond 32 bits written whole
        {ConvertDms("0.9999999  "), "1\xC2\xB0 0' 0.00\"  "}, {ConvertDms("359.9999999  "), "360\xC2\xB0 0' 0.00\"  "},
        {ConvertDms("1.9999999  "), "2\xC2\xB0 0' 0.00\"  "}, {ConvertDms("-0.5166666  "), "-0\xC2\xB0 31' 0.00\"  "},
        {ConvertDms("12.5125  "), "12\xC2\xB0 30' 45.00\"  "},  // 30.75 minutes: the minutes are truncated
        {ConvertDms("nan  "), "nan  "}, {ConvertDms("inf. "), "inf. "}, {ConvertDms("0. "), "0\xC2\xB0 0' 0.00\"  "},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.got, c.expected);
    const struct { const char *text; double value; } numbers[] = {
        {"  -12.5abc", -12.5}, {"+3", 3}, {"abc", 0}, {"1e400", kInf}, {"-1e400", -kInf}, {"1e-400", 0}, {"--3", 0}};
    for (const auto &c : numbers)
        EXPECT_EQ(ReadNumberText(c.text), c.value) << c.text;
    // The input base is From alone; 10 reads decimal numbers with exponents.
    EXPECT_EQ(TokenBase("10"), -1);
    EXPECT_EQ(TokenBase("16"), 16);
}

}  // namespace

namespace {

// The names are read in any case and by their longest match, and each
// function's code leads back to its name.
TEST(CalcNames, LongestMatchInAnyCaseAndCodesLeadBackToTheirNames)
{
    const struct { const char *text; const char *name; } cases[] = {
        {"asinh(1)", "asinh"}, {"ASIN 1", "asin"}, {"Sinh", "sinh"}, {"sin", "sin"}, {"nCr", "ncr"},
        {"PI", "pi"}, {"exp1", "exp"}, {"e", "e"}, {"", nullptr}, {"x", nullptr}, {"si", nullptr},
    };
    for (const auto &c : cases) {
        const SCalcName *pName = LongestCalcName(c.text);
        ASSERT_EQ(pName != nullptr, c.name != nullptr) << c.text;
        if (pName) {
            EXPECT_EQ(pName->name, c.name) << c.text;
        }
    }
    for (const char *name : {"sin", "acoth", "ln", "log", "sqrt", "abs", "cbrt", "exp", "csch"}) {
        const SCalcName *pName = LongestCalcName(name);
        ASSERT_NE(pName, nullptr) << name;
        EXPECT_EQ(pName->kind, SCalcName::Function) << name;
        EXPECT_EQ(CalcFunctionName(pName->code), name);
    }
    EXPECT_EQ(CalcFunctionName('@'), "");  // ncr is an operator
    EXPECT_EQ(CalcFunctionName('#'), "");
}

}  // namespace
