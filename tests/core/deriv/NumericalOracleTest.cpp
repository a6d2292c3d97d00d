// Every derivative text is checked against the function itself: compiled
// with the expression core and compared with a central difference.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>
#include <utility>

#include "core/deriv/Derivative.h"
#include "core/expr/Expression.h"

namespace {

struct SCase
{
    const char *m_szText;  // as typed, every product with its '*'
    double m_dFrom;
    double m_dTo;
};

// Sums, products, quotients, powers with x in base and exponent, every
// function name, nesting and unary minus.
const SCase kCases[] = {
    {"x", -3, 3}, {"5", -3, 3}, {"x^2", -3, 3}, {"3*x^4-2*x^2+x-7", -2, 2}, {"x^0.5", 0.1, 4},
    {"x^(1/3)", 0.1, 4}, {"x^-2", 0.5, 3}, {"(2*x-3)^3", -2, 2}, {"x*(x-1)*(x+2)", -3, 3},
    {"(x^2+1)*(x^3-x)", -2, 2}, {"1/x", 0.3, 3}, {"1/(x^2+1)", -3, 3}, {"(x+1)/(x-1)", 1.5, 4},
    {"(x^2-1)/(x^2+1)", -3, 3}, {"-x^2", -3, 3}, {"-x^3+x", -2, 2}, {"-(x+1)^2", -3, 3},
    {"2-(x-x^2)", -3, 3}, {"x-(x-x^2)", -3, 3}, {"-(-x)", -3, 3}, {"x*-x", -3, 3}, {"-(x^2-3*x)", -3, 3},
    {"x^10", -1.5, 1.5}, {"(x-1)*(x-2)*(x-3)*(x-4)", 0, 5}, {"(x^3-2*x)/(x^2+1)^2", -2, 2},
    {"-x^-2", 0.5, 3}, {"3*x^2-1.23456*x", -3, 3}, {"x/7", -3, 3}, {"-1234.5*x+x^2/1000", -3, 3},
    {"x*123456789012345678901234*x", -2, 2}, {"x^2*0.000000000000000000012345", -2, 2},
    // trigonometric
    {"sin(x)", -3, 3}, {"cos(x)", -3, 3}, {"tan(x)", -1.2, 1.2}, {"cot(x)", 0.2, 3}, {"csc(x)", 0.2, 3},
    {"sec(x)", -1.2, 1.2}, {"sin(2*x+1)", -3, 3}, {"cos(x^2)", -2, 2}, {"sin(x)^2", -2, 2},
    {"(sin(x))^2", -3, 3}, {"(cos(x))^3", -3, 3}, {"sin(x)*cos(x)", -3, 3}, {"tan(x)/x", 0.2, 1.4},
    {"x^2*sin(x)", -3, 3}, {"sin(cos(x))", -3, 3}, {"sin(sin(sin(x)))", -3, 3}, {"tan(x^2)", -1, 1},
    {"sec(x)*tan(x)", -1, 1}, {"csc(x)^2", 0.3, 1.5}, {"cot(2*x)", 0.2, 1.4}, {"sin(x)*cos(x)*tan(x)", -1, 1},
    {"(csc(x))^2-(cot(x))^2", 0.3, 3},
    // inverse trigonometric
    {"asin(x)", -0.9, 0.9}, {"acos(x)", -0.9, 0.9}, {"atan(x)", -3, 3}, {"acot(x)", 0.2, 3},
    {"acsc(x)", 1.2, 4}, {"asec(x)", 1.2, 4}, {"asin(x/2)", -1.5, 1.5}, {"atan(x^2)", -2, 2},
    {"acos(x^2)", -0.9, 0.9}, {"atan(1/x)", 0.3, 3}, {"asec(x^2+1)", 0.3, 2}, {"acsc(2*x)", 0.6, 3},
    {"acot(x^2+1)", -2, 2},
    // hyperbolic
    {"sinh(x)", -3, 3}, {"cosh(x)", -3, 3}, {"tanh(x)", -3, 3}, {"coth(x)", 0.3, 3}, {"sech(x)", -3, 3},
    {"csch(x)", 0.3, 3}, {"sinh(x^2)", -1.5, 1.5}, {"cosh(2*x)*tanh(x)", -2, 2}, {"x*sech(x)", -3, 3},
    {"(tanh(x))^2+(sech(x))^2", -2, 2},
    // inverse hyperbolic
    {"asinh(x)", -3, 3}, {"acosh(x)", 1.2, 5}, {"atanh(x)", -0.9, 0.9}, {"acoth(x)", 1.2, 5},
    {"asech(x)", 0.1, 0.9}, {"acsch(x)", 0.2, 3}, {"asinh(x^2)", -2, 2}, {"atanh(x/2)", -1.5, 1.5},
    {"acosh(x^2+1)", 0.3, 2}, {"acoth(x^2+2)", -2, 2}, {"asech(x/3)", 0.3, 2.5}, {"acsch(x^2)", 0.3, 2},
    // logarithms and exponentials
    {"ln(x)", 0.2, 5}, {"log(x)", 0.2, 5}, {"ln(x^2+1)", -3, 3}, {"log(x^2+1)", -3, 3}, {"x*ln(x)", 0.2, 5},
    {"ln(sin(x))", 0.2, 3}, {"ln(ln(x))", 1.5, 5}, {"e^x", -3, 3}, {"e^(-x^2)", -3, 3},
    {"e^sin(x)", -3, 3}, {"x*e^x", -3, 3}, {"2^x", -3, 3}, {"10^x", -2, 2}, {"x^x", 0.3, 3},
    {"x^(x^2)", 0.3, 2}, {"(sin(x))^x", 0.3, 2.5}, {"x^sin(x)", 0.3, 3}, {"(x^2+1)^x", -2, 2},
    {"2^-x", -3, 3}, {"-e^(-x)", -3, 3}, {"ln(1+x^2)^2", -2, 2}, {"x^ln(x)", 0.3, 3},
    // constants by name
    {"pi*x^2", -3, 3}, {"e*x", -3, 3}, {"sin(pi*x)", -2, 2}, {"2*pi*cos(x)", -3, 3}, {"x^pi", 0.3, 3},
    {"pi^x", -2, 2},
    // quotients and nesting
    {"sin(x)/x", 0.3, 3}, {"(x^2+1)/(x-3)", -2, 2}, {"1/(1+e^(-x))", -3, 3}, {"ln(x)/x", 0.3, 4},
    {"x/(1+x^2)^2", -3, 3}, {"cos(x)/(2+sin(x))", -3, 3}, {"sin(x^2+cos(x))", -2, 2},
    {"atan(sinh(x))", -2, 2}, {"tanh(ln(x^2+1))", -2, 2}, {"e^(sin(x)*cos(x))", -3, 3},
    {"(x^2+1)^(-0.5)", -3, 3}, {"x*(x+1)^0.5", 0.1, 3}, {"-sin(-x)", -3, 3}, {"x^2*e^x*sin(x)", -2, 2},
    {"log(cosh(x))", -2, 2}, {"acos(tanh(x))", -2, 2}, {"sinh(asinh(x)*2)", -2, 2},
    {"1/(x*ln(x))", 1.5, 4},
};
static_assert(std::size(kCases) >= 100);

// Richardson-extrapolated central difference, accurate to O(h^4). `spread`
// is the change between the two step sizes (large where the function is not
// smooth), `rounding` a bound of the rounding error.
double NumericalDerivative(CExpression &f, double x, double &spread, double &rounding)
{
    const double h = 1e-3 * std::max(1.0, std::fabs(x));
    double magnitude = 0;
    auto central = [&](double step) {
        const double a = f.Evaluate(x + step), b = f.Evaluate(x - step);
        magnitude = std::max({magnitude, std::fabs(a), std::fabs(b)});
        return (a - b) / (2 * step);
    };
    const double d1 = central(h), d2 = central(h / 2);
    spread = std::fabs(d1 - d2);
    rounding = 1e-14 * magnitude / h;
    return (4 * d2 - d1) / 3;
}

// Compares the compiled derivative with the numerical derivative of
// `function` at seven points of [from, to]; returns the number compared.
int CompareAtPoints(CExpression &function, CExpression &d, double from, double to, const std::string &label)
{
    int compared = 0;
    for (int i = 0; i < 7; ++i) {
        const double x = from + (to - from) * (i + 0.37) / 7.0;
        double spread = 0, rounding = 0;
        const double numeric = NumericalDerivative(function, x, spread, rounding);
        const double symbolic = d.Evaluate(x);
        const double scale = std::max(1.0, std::fabs(numeric));
        // Skip points where the function is not smooth at the scale of h or
        // too large for a difference to say anything.
        if (!std::isfinite(numeric) || !std::isfinite(symbolic) || spread > 1e-4 * scale ||
            rounding > 1e-7 * scale)
            continue;
        ++compared;
        EXPECT_LT(std::fabs(symbolic - numeric) / scale, 1e-6) << label << " at x=" << x << ": " << d.m_strText
                                                                << " gives " << symbolic << ", numerically " << numeric;
    }
    return compared;
}

CExpression Compiled(const std::string &text, const std::string &label)
{
    CExpression e;
    e.SetExpression(text);
    EXPECT_EQ(CheckSyntax(e.m_strCoded), 0) << label << " -> " << text;
    return e;
}

// Differentiates `text` twice (from its coded form, as the view does) and
// returns how many points of f' and of f'' were compared.
std::pair<int, int> CheckTwice(const std::string &text, double from, double to)
{
    CExpression f = Compiled(text, "f");
    CDerivative derivative(f.m_strCoded);
    CExpression first = Compiled(derivative.GetResult(), text);
    derivative.Rederive(derivative.GetResult());
    CExpression second = Compiled(derivative.GetResult(), text);
    return {CompareAtPoints(f, first, from, to, text + " f'"), CompareAtPoints(first, second, from, to, text + " f''")};
}

TEST(DerivativeOracle, FirstAndSecondDerivativesOfEveryFunctionForm)
{
    for (const SCase &c : kCases) {
        SCOPED_TRACE(c.m_szText);
        // Typed text gives the same as the coded text the view hands over.
        EXPECT_EQ(CDerivative(c.m_szText).GetResult(), CDerivative(Compiled(c.m_szText, "f").m_strCoded).GetResult());
        const auto [nFirst, nSecond] = CheckTwice(c.m_szText, c.m_dFrom, c.m_dTo);
        EXPECT_GE(nFirst, 4);
        EXPECT_GE(nSecond, 4);
    }
}

// Random functions, bracketed the way users write them; some brackets are
// left out so that precedence matters.
std::string RandomFunction(std::mt19937 &rng, int depth)
{
    static const char *const kNames[] = {"sin", "cos", "tan", "atan", "sinh", "cosh", "tanh",
                                         "asinh", "ln", "log", "sech", "atan"};
    static const char *const kLeaves[] = {"x", "x", "x", "2", "3", "0.5", "1.25", "pi", "e"};
    const int roll = std::uniform_int_distribution<int>(0, 99)(rng);
    if (depth <= 0 || roll < 15)
        return kLeaves[roll % 9];
    if (roll < 35) {
        const std::string a = RandomFunction(rng, depth - 1), name = kNames[roll % 12];
        return name[0] == 'l' ? name + "((" + a + ")^2+1)" : name + "(" + a + ")";  // logarithms: positive
    }
    if (roll < 42)
        return "-(" + RandomFunction(rng, depth - 1) + ")";
    if (roll < 50)
        return "(" + RandomFunction(rng, depth - 1) + ")^" + std::to_string(roll % 4 + 2);
    if (roll < 55)
        return "2^(" + RandomFunction(rng, depth - 1) + ")";
    const std::string a = RandomFunction(rng, depth - 1), b = RandomFunction(rng, depth - 1);
    const char op = "+-*/"[roll % 4];
    return roll % 3 == 0 ? a + op + "(" + b + ")" : "(" + a + ")" + op + "(" + b + ")";
}

TEST(DerivativeOracleRandom, FirstAndSecondDerivativesOfRandomFunctions)
{
    std::mt19937 rng(20261206);
    int checked = 0;
    for (int n = 0; n < 400; ++n)
        checked += CheckTwice(RandomFunction(rng, 4), -2.2, 2.2).first > 0;
    EXPECT_GE(checked, 300);
}

}  // namespace
