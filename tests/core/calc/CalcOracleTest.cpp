// Each expression against the value the standard library gives for it,
// written out by hand with the calculator's reading rules (equal priorities
// from left to right, angles in degrees unless marked).
#include "core/calc/CalcEvaluator.h"
#include "core/calc/CalcText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

constexpr double D = 0.017453292519943295;  // degrees to radians
constexpr double R = 57.29577951308232;     // radians to degrees
constexpr double PI = 3.14159265358979323;
constexpr double E = 2.718281828;
constexpr bool Rad = true;
constexpr bool Deg = false;

double Fact(int n)
{
    double p = n;
    for (int k = n - 1; k >= 1; --k)
        p *= k;
    return p;
}

struct SOracle {
    const char *text;
    double expected;
    bool radian = Deg;
    int base = -1;
};

// clang-format off
const SOracle kOracle[] = {
    // Arithmetic and priorities
    {"1+2", 3}, {"7-10", -3}, {"6*7", 42}, {"1/4", 0.25}, {"2^10", 1024},
    {"2+3*4", 14}, {"2*3+4", 10}, {"1-2*3", -5}, {"2^3^2", 64}, {"-3^2", -9},
    {"8/2*4", 16}, {"8/2/2", 2}, {"2-3-4", -5}, {"2*3^2", 18}, {"2+3^2*2", 20},
    {"2*3+4*5", 26}, {"2^3*4^2", 128}, {"2*(3+4)^2", 98}, {"(2+3)*(4+5)", 45}, {"((1+2)*(3+4))/7", 3},
    {"10-2^3", 2}, {"1+2+3+4+5", 15}, {"100/8", 12.5}, {"0.1+0.2", 0.1 + 0.2}, {"3.5*2", 7},
    {"2^0.5", std::pow(2, 0.5)}, {"9^0.5*2", 6}, {"2^-1", 0.5}, {"2/-4", -0.5}, {"2*10^-3", 2 * std::pow(10, -3)},
    {"-2*-3", 6}, {"-(2+3)", -5}, {"4--2", 6}, {"-1-1", -2}, {"2^-2^2", std::pow(std::pow(2, -2), 2)},
    {"1/3", 1.0 / 3}, {"2/3*3", 2.0 / 3 * 3}, {"7-2*3^2/9", 5}, {"1+1/0", INFINITY}, {"1E300*1E300", INFINITY},
    {"1.5E3", 1500}, {"2.5e-3*4", 2.5e-3 * 4}, {"1e+2+1", 101}, {"12.5e1", 125}, {"3*1E-2", 3 * 1e-2},
    // Constants
    {"pi", PI}, {"2*pi", 2 * PI}, {"e", E}, {"e^2", std::pow(E, 2)}, {"pi/2", PI / 2},
    // Trigonometric, degrees
    {"sin30", std::sin(30 * D)}, {"cos60", std::cos(60 * D)}, {"tan45", std::tan(45 * D)},
    {"sec60", 1 / std::cos(60 * D)}, {"csc30", 1 / std::sin(30 * D)}, {"cot45", 1 / std::tan(45 * D)},
    {"sin(30+60)", std::sin(90 * D)}, {"2*sin(30)^2", 2 * std::pow(std::sin(30 * D), 2)}, {"sin30^2", std::pow(std::sin(30 * D), 2)},
    {"sin(-30)", std::sin(-30 * D)}, {"cos180", std::cos(180 * D)}, {"tan(10)*2", std::tan(10 * D) * 2},
    {"sin0+cos0", 1}, {"sin(45)*cos(45)", std::sin(45 * D) * std::cos(45 * D)}, {"sec0", 1},
    {"csc(90)", 1 / std::sin(90 * D)}, {"cot(30)", 1 / std::tan(30 * D)}, {"sin sin 30", std::sin(std::sin(30 * D) * D)},
    // Trigonometric, radians
    {"sin1", std::sin(1), Rad}, {"cos2", std::cos(2), Rad}, {"tan0.5", std::tan(0.5), Rad},
    {"sec1", 1 / std::cos(1), Rad}, {"csc1", 1 / std::sin(1), Rad}, {"cot1", 1 / std::tan(1), Rad},
    {"sin(pi/6)", std::sin(PI / 6), Rad}, {"cos(pi)", std::cos(PI), Rad}, {"tan(pi/4)", std::tan(PI / 4), Rad},
    // Inverse trigonometric
    {"asin(0.5)", std::asin(0.5) * R}, {"acos(0.5)", std::acos(0.5) * R}, {"atan1", std::atan(1) * R},
    {"asec2", std::acos(0.5) * R}, {"acsc2", std::asin(0.5) * R}, {"acot1", std::atan(1) * R},
    {"asin1", std::asin(1.0), Rad}, {"acos0", std::acos(0.0), Rad}, {"atan(2)", std::atan(2.0), Rad},
    {"asec(3)", std::acos(1.0 / 3), Rad}, {"acsc(3)", std::asin(1.0 / 3), Rad}, {"acot(3)", std::atan(1.0 / 3), Rad},
    {"asin2", NAN}, {"acos(-1)", 180}, {"atan(-1)", -45}, {"acot0", 90},
    // Hyperbolic
    {"sinh1", std::sinh(1)}, {"cosh1", std::cosh(1)}, {"tanh1", std::tanh(1)},
    {"coth1", 1 / std::tanh(1)}, {"sech1", 1 / std::cosh(1)}, {"csch1", 1 / std::sinh(1)},
    {"sinh(-2)", std::sinh(-2)}, {"cosh0", 1}, {"tanh(0.5)*2", std::tanh(0.5) * 2},
    {"sinh1", std::sinh(1), Rad}, {"cosh(2)^2+sinh(2)^2", std::pow(std::cosh(2), 2) + std::pow(std::sinh(2), 2)}, {"coth0", INFINITY},
    // Inverse hyperbolic
    {"asinh1", std::asinh(1)}, {"acosh2", std::acosh(2)}, {"atanh0.5", std::atanh(0.5)},
    {"asech0.5", std::acosh(2)}, {"acsch1", std::log(1 + std::sqrt(2.0))}, {"acoth2", std::atanh(0.5)},
    {"asinh(-1E9)", std::asinh(-1e9)}, {"acosh(1E10)", std::acosh(1e10)}, {"atanh(-0.9)", std::atanh(-0.9)},
    {"asech(1)", 0}, {"acsch(-2)", std::asinh(-0.5)}, {"acoth(-3)", std::atanh(-1.0 / 3)},
    {"acosh0.5", NAN}, {"atanh2", NAN}, {"atanh1", INFINITY},
    // Logarithms
    {"ln2", std::log(2)}, {"log1000", 3}, {"ln(e)", std::log(E)}, {"log(2)+log(5)", std::log10(2) + std::log10(5)},
    {"ln0", -INFINITY}, {"ln(-1)", NAN}, {"log0.01", -2}, {"2*ln10", 2 * std::log(10)},
    // Factorial, permutations, combinations
    {"!5", 120}, {"!0", 1}, {"!1", 1}, {"!10", Fact(10)}, {"!20", Fact(20)},
    {"!3+1", 7}, {"2*!3", 12}, {"!(2+2)", 24}, {"!170", Fact(170)}, {"!171", INFINITY},
    {"5npr2", 20}, {"5ncr2", 10}, {"10npr3", 720}, {"10ncr3", 120}, {"20npr8", 5079110400.0},
    {"20ncr10", 184756}, {"52ncr5", 2598960}, {"6npr6", 720}, {"6ncr6", 1}, {"7npr1", 7},
    {"7ncr1", 7}, {"7npr0", 1}, {"7ncr0", 1}, {"5ncr2*2", 20}, {"2+5npr2", 22},
    // Degrees-minutes-seconds literals
    {"30'15'0'", 30.25}, {"10'30'36'", 36 * 0.0002777777777777778 + 30 * 0.016666666666666666 + 10},
    {"0'0'36'", 0.01}, {"2*45'30'0'", 91}, {"sin(30'0'0')", std::sin(30 * D)},
    // Other bases
    {"FF", 255, Deg, 16}, {"A.8", 10.5, Deg, 16}, {"FF+1", 256, Deg, 16}, {"FF-1", 254, Deg, 16}, {"10*10", 256, Deg, 16},
    {"101+11", 8, Deg, 2}, {"1.1", 1.5, Deg, 2}, {"777", 511, Deg, 8}, {"ZZ", 1295, Deg, 36}, {"-A+1", -9, Deg, 16},
    {"sin(1E)", std::sin(30 * D), Deg, 16}, {"10^2", 64, Deg, 8}, {"12", 12, Deg, 10}, {"A", 10, Deg, 11}, {"!5", 120, Deg, 6},
};
// clang-format on

void PrintTo(const SOracle &c, std::ostream *os) { *os << c.text; }

std::string OracleName(const testing::TestParamInfo<SOracle> &info)
{
    std::string name = "E" + std::to_string(info.index) + "_";
    for (const char *p = info.param.text; *p; ++p)
        if (std::isalnum(static_cast<unsigned char>(*p)))
            name += *p;
    return name;
}

class CalcOracle : public testing::TestWithParam<SOracle> {};

TEST_P(CalcOracle, MatchesReference)
{
    const SOracle &c = GetParam();
    CCalcEvaluator e(c.text);
    e.SetRadian(c.radian);
    e.SetBase(c.base);
    const double v = e.Evaluate(false, 0.0);
    if (std::isnan(c.expected) || std::isinf(c.expected) || c.expected == 0) {
        EXPECT_EQ(FormatG16(v), FormatG16(c.expected)) << c.text;
        return;
    }
    // The display shows 16 digits; the last may differ by the rounding of
    // a different but equivalent order of operations.
    EXPECT_NEAR(v, c.expected, 4e-16 * std::fabs(c.expected)) << c.text << " shows " << FormatG16(v);
}

INSTANTIATE_TEST_SUITE_P(Table, CalcOracle, testing::ValuesIn(kOracle), OracleName);

TEST(CalcOracleTable, IsLargeEnough) { EXPECT_GE(std::size(kOracle), 150u); }

}  // namespace
