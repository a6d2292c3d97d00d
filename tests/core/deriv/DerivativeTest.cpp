#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "core/deriv/ConstantText.h"
#include "core/deriv/Derivative.h"
#include "core/deriv/Simplify.h"
#include "core/expr/Expression.h"

namespace {

CExpression Compiled(const std::string &text)
{
    CExpression e;
    e.SetExpression(text);
    return e;
}

int SyntaxOf(const std::string &text) { return CheckSyntax(Compiled(text).m_strCoded); }

// The forms the f'(x) field shows; the values are left to the oracles below.
TEST(Derivative, WorkedExamples)
{
    const struct { const char *input, *result; } cases[] = {
        {"x^2", "2*x"}, {"A(x)", "cosx"}, {"5", "0"}, {"~x", "-1"}, {"1/x", "-1/x^2"}, {"-x^2", "-(2*x)"},
        {"tan(x)", "(secx)^2"}, {"2^x", "2^x*ln2"}, {"x^0.5", "0.5*x^-0.5"}, {" s i n ( x ) ", "cosx"},
        // e and pi by name, but not a constant that only starts like them.
        {"pi*x", "pi"}, {"3.141592654*x", "pi"}, {"2.718281828*x", "e"}, {"3.142*x", "3.142"},
        // Undefined constants stay undefined in a form the core reads.
        {"ln(~1)*x", "asin2"}, {"x*ln(0)", "ln0"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CDerivative(c.input).GetResult(), c.result) << c.input;
    CDerivative d("");
    EXPECT_EQ(d.GetResult(), "");
    d.Rederive("");
    EXPECT_EQ(d.GetResult(), "0");
}

// Malformed text gives some text and never crashes, reads out of range or
// hangs (the sanitizer build and the fuzzer check the memory side). The
// last four were found by the fuzzer.
TEST(Derivative, MalformedInputGivesSomeText)
{
    const char *inputs[] = {
        "", "(", "))))", "A(", "x))((", "-", "^", "x+", "*x", "x$", "y", "2.-1", "..", "x..2", "()", "(+)", "(-)",
        "A()", "x*()", "0/0", "1/(x-x)", "AAAAx", "x^^2", "~~~x", "sin(x", ")x(", "ln", "2pi", "(x+1)(x-1)", "\t\n",
        "A(x)B(x)", "x^(", "(x)*0*(x)+1", "0.0.0", "x*1e-300", "(x-1)*(x+2/-x)(3)", "-2+pi+xAx(xAx)x()",
        "\x1d-x-+QQQ\rQQQ(QQ\x1dQ QQ(xQ0(zQ040\xf8", "EEEEEEEEUEEEEUEEEEEEEEEAUEEEEUEEEEEEEUEEEWEEEEUx"};
    for (const char *text : inputs) {
        CDerivative d(text);
        EXPECT_TRUE(!*text || !d.GetResult().empty()) << text;
        d.Rederive(d.GetResult());
        EXPECT_FALSE(d.GetResult().empty()) << text;
    }
}

// Fuzzer findings: a lone '.' is no number; the check refuses it, and
// differentiating such text still gives text the core reads.
TEST(Derivative, LoneDecimalPointStaysANumber)
{
    for (const char *text : {"x13x.", "xCC.", "x*(.)+x", "A(.)*x"}) {
        const CExpression f = Compiled(text);
        ASSERT_NE(CheckSyntax(f.m_strCoded), 0) << text;
        CDerivative d(f.m_strCoded);
        EXPECT_EQ(SyntaxOf(d.GetResult()), 0) << text << " -> " << d.GetResult();
        d.Rederive(d.GetResult());
        EXPECT_EQ(SyntaxOf(d.GetResult()), 0) << text << " -> " << d.GetResult();
    }
}

// Runaway inputs are refused rather than worked on for minutes.
TEST(Derivative, RunawayNestingGivesNoResult)
{
    std::string deep;
    for (int i = 0; i < 3000; ++i)
        deep += "A(";
    EXPECT_EQ(CDerivative(deep + "x" + std::string(3000, ')')).GetResult(), "");
    EXPECT_FALSE(CDerivative("A(A(A(A(A(x)))))").GetResult().empty());
    // A product of 600 factors: the product rule outgrows the size limit,
    // and the object says so (an empty text alone looked like success).
    std::string product = "x";
    for (int i = 1; i < 600; ++i)
        product += "*x";
    CDerivative tooLong(product);
    EXPECT_TRUE(tooLong.TooLong());
    tooLong.Rederive("x*x");
    EXPECT_FALSE(tooLong.TooLong());
}

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

// Compares the derivative d with the numerical derivative of f at seven
// points of [from, to]; returns the number compared.
int CompareAtPoints(CExpression &f, CExpression &d, double from, double to, const std::string &label)
{
    int compared = 0;
    for (int i = 0; i < 7; ++i) {
        const double x = from + (to - from) * (i + 0.37) / 7.0;
        double spread = 0, rounding = 0;
        const double numeric = NumericalDerivative(f, x, spread, rounding);
        const double symbolic = d.Evaluate(x);
        const double scale = std::max(1.0, std::fabs(numeric));
        // Skip points where the function is not smooth at the scale of h or
        // too large for a difference to say anything.
        if (!std::isfinite(numeric) || !std::isfinite(symbolic) || spread > 1e-4 * scale || rounding > 1e-7 * scale)
            continue;
        ++compared;
        EXPECT_LT(std::fabs(symbolic - numeric) / scale, 1e-6)
            << label << " at x=" << x << ": " << d.m_strText << " gives " << symbolic << ", numerically " << numeric;
    }
    return compared;
}

// Differentiates `text` twice (from its coded form, as the view does) and
// returns how many points of f' and of f'' were compared.
// The parameters of the text take `values`.
std::pair<int, int> CheckTwice(const std::string &text, double from, double to, const SParameterValues &values = {})
{
    CExpression f = Compiled(text);
    CDerivative derivative(f.m_strCoded);
    CExpression first = Compiled(derivative.GetResult());
    derivative.Rederive(derivative.GetResult());
    CExpression second = Compiled(derivative.GetResult());
    for (CExpression *e : {&f, &first, &second})
        e->SetParameters(values);
    EXPECT_EQ(CheckSyntax(first.m_strCoded), 0) << text << " -> " << first.m_strText;
    EXPECT_EQ(CheckSyntax(second.m_strCoded), 0) << text << " -> " << second.m_strText;
    return {CompareAtPoints(f, first, from, to, text + " f'"), CompareAtPoints(first, second, from, to, text + " f''")};
}

// Every function name with an inner function (the chain rule) that the random
// functions below leave out (f' of every name is also the MPFR property's),
// powers with x in base and exponent, unary minus, constants by name and of extreme size.
TEST(DerivativeOracle, FirstAndSecondDerivativesOfEveryFunctionForm)
{
    const struct { const char *text; double from, to; } cases[] = {
        {"cot(2*x)", 0.2, 1.4}, {"csc(x+1)", -0.8, 2}, {"sec(x^2)", -1.1, 1.1}, {"asin(x/2)", -1.5, 1.5},
        {"acos(x^2)", -0.9, 0.9}, {"acot(x^2+1)", -2, 2}, {"acsc(2*x)", 0.6, 3}, {"asec(x^2+1)", 0.3, 2},
        {"coth(2*x)", 0.3, 3}, {"csch(x+1)", 0.3, 3}, {"acosh(x^2+1)", 0.3, 2}, {"atanh(x/2)", -1.5, 1.5},
        {"acoth(x^2+2)", -2, 2}, {"asech(x/3)", 0.3, 2.5}, {"acsch(x^2)", 0.3, 2}, {"cbrt(x^2-2)", -3, 3},
        // Compositions of + - * / ^n and of the common names are left to the random functions below.
        {"x^10", -1.5, 1.5}, {"x^0.5", 0.1, 4}, {"x^(1/3)", 0.1, 4}, {"x^-2", 0.5, 3}, {"-x^-2", 0.5, 3},
        {"(x+1)/(x-1)", 1.5, 4}, {"-x^2", -3, 3}, {"x-(x-x^2)", -3, 3}, {"-(-x)", -3, 3}, {"x*-x", -3, 3},
        {"-sin(-x)", -3, 3}, {"2^-x", -3, 3}, {"-e^(-x)", -3, 3}, {"-1234.5*x+x^2/1000", -3, 3},
        {"x*123456789012345678901234*x", -2, 2}, {"x^2*0.000000000000000000012345", -2, 2},
        {"(csc(x))^2-(cot(x))^2", 0.3, 3}, {"x*ln(x)", 0.2, 5}, {"ln(ln(x))", 1.5, 5}, {"1/(x*ln(x))", 1.5, 4},
        {"ln(1+x^2)^2", -2, 2}, {"x^x", 0.3, 3}, {"x^sin(x)", 0.3, 3}, {"(x^2+1)^x", -2, 2}, {"pi*x^2", -3, 3},
        {"e*x", -3, 3}, {"x^pi", 0.3, 3}, {"pi^x", -2, 2}, {"sinh(asinh(x)*2)", -2, 2}, {"sin(x)^2", -2, 2},
        // A negative base keeps its brackets; dead terms do not poison a constant group with 0*ln(-3).
        {"x*(~3)^2", -3, 3}, {"x^2*(~3)^2", -3, 3},
        // A 1 that is an argument, exponent or divisor is no factor.
        {"sinh(asinh(1)*x)", -2, 2}, {"sin(x/1*2)", -3, 3}, {"sin(x^~1*2)", 0.5, 3}, {"sin(2*1^x)", -3, 3},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        // Typed text gives the same as the coded text the view hands over.
        EXPECT_EQ(CDerivative(c.text).GetResult(), CDerivative(Compiled(c.text).m_strCoded).GetResult());
        const auto [nFirst, nSecond] = CheckTwice(c.text, c.from, c.to);
        EXPECT_GE(nFirst, 4);
        EXPECT_GE(nSecond, 4);
    }
}

// Random functions, bracketed the way users write them; some brackets are
// left out so that precedence matters.
std::string RandomFunction(std::mt19937 &rng, int depth)
{
    static const char *const kNames[] = {"sin",  "cos",   "tan", "atan", "sinh", "cosh", "tanh", "asinh",
                                         "ln",   "log",   "sech", "atan", "sqrt", "abs", "cbrt", "exp"};
    static const char *const kLeaves[] = {"x", "x", "x", "2", "3", "0.5", "1.25", "pi", "e"};
    const int roll = std::uniform_int_distribution<int>(0, 99)(rng);
    if (depth <= 0 || roll < 15)
        return kLeaves[roll % 9];
    if (roll < 35) {
        const std::string a = RandomFunction(rng, depth - 1), name = kNames[roll % 16];
        const bool positive = name[0] == 'l' || name == "sqrt";  // logarithms and roots
        return positive ? name + "((" + a + ")^2+1)" : name + "(" + a + ")";
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

// The same random functions with their leaves 0.5 and 1.25 written as the
// parameters h and k, at those values and at others.
TEST(DerivativeOracleRandom, RandomFunctionsWithParameters)
{
    std::mt19937 rng(20261207);
    std::uniform_real_distribution<double> value(-2.5, 2.5);
    int checked = 0;
    for (int n = 0; n < 300; ++n) {
        std::string text = RandomFunction(rng, 4);
        for (std::size_t at = text.find("0.5"); at != std::string::npos; at = text.find("0.5", at))
            text.replace(at, 3, "h");
        for (std::size_t at = text.find("1.25"); at != std::string::npos; at = text.find("1.25", at))
            text.replace(at, 4, "k");
        SParameterValues values;
        values.Set('h', n % 2 ? 0.5 : value(rng));
        values.Set('k', n % 2 ? 1.25 : value(rng));
        SCOPED_TRACE(text + " h=" + std::to_string(values.Of('h')) + " k=" + std::to_string(values.Of('k')));
        checked += CheckTwice(text, -2.2, 2.2, values).first > 0;
    }
    EXPECT_GE(checked, 200);
}

// Every double comes back from its text bit for bit, through the expression
// core, without exponent notation and mostly short.
TEST(FormatConstant, EveryValueReadsBackThroughTheCore)
{
    std::vector<double> values = {DBL_MAX, -DBL_MAX, DBL_MIN, 5e-324, 1e300, 1e-300, 1e21, 1e-7, 123456789012345678.0,
                                  9.007199254740993e15, std::numeric_limits<double>::quiet_NaN(), INFINITY, -INFINITY};
    std::mt19937_64 rng(42);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-320, 308);
    for (int i = 0; i < 3000; ++i)
        values.push_back(mantissa(rng) * std::pow(10.0, exponent(rng)));
    int shortTexts = 0;
    for (double v : values) {
        const std::string text = FormatConstant(v);
        EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
        CExpression e = Compiled(text);
        EXPECT_EQ(CheckSyntax(e.m_strCoded), 0) << text;
        const double back = e.Evaluate(0.0);
        EXPECT_TRUE(std::isnan(v) ? std::isnan(back) : back == v && std::signbit(back) == std::signbit(v))
            << v << " -> " << text;
        EXPECT_TRUE(ReadsBackTo(text, v)) << text;
        shortTexts += text.size() <= 32;
    }
    EXPECT_GT(shortTexts, static_cast<int>(values.size()) * 99 / 100);
}

// Raw texts, above all the forms that typed operand texts bring in.
TEST(Simplify, Rewrites)
{
    const struct { const char *raw, *simplified; } cases[] = {
        {"(2)*(x)^(2-1)*(1)+(0)*(x)^(2)*ln(x)", "2*x"}, {"(sec(x))^2*(1)", "(Fx)^2"},
        // Zero terms go with their sign; exponents and arguments are no factors.
        {"(x)*0+3", "3"}, {"(0*(x))+x", "x"}, {"x-0*x+x", "x+x"}, {"x^0*2", "x^0*2"}, {"sin(0)+x", "A0+x"}, {"", "0"},
        // A bracketed term goes with its brackets only where it fills them;
        // otherwise the signs and terms around it stay.
        {"x+((x)*0*(x))-x", "x-x"}, {"x+(x)*0*(x)-x", "x-x"}, {"x-(x)*0*(x)+x", "x+x"}, {"(x)*0*(x)", "0"},
        // A bracket that is a factor or an argument keeps a zero in its place.
        {"(x-1*((x)*0*(x)))/x^2", "x/x^2"},
        {"x*()", "0"}, {"x+(+)", "x"}, {"(-)*x+x", "x"},  // empty brackets
        // Brackets that precedence needs stay; e by name only as a number of its own.
        {"2*(x*3)", "2*x*3"}, {"2-(x-3)", "2-(x-3)"}, {"2/(x*3)", "2/(x*3)"}, {"-(x+1)", "-(x+1)"},
        {"2.718281828*x", "e*x"}, {"12.718281828*x", "12.718281828*x"}, {"x*(0-3)^2", "x*(-3)^2"},
    };
    for (const auto &c : cases) {
        std::string text = c.raw;
        Simplify(text);
        EXPECT_EQ(text, c.simplified) << c.raw;
    }
}

}  // namespace

#include "oracle/Mpfr.h"

#include <rapidcheck/gtest.h>

namespace {

using oracle::Big;
using Exact = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

using oracle::OfReciprocal;

int Identity(mpfr_ptr r, mpfr_srcptr a, mpfr_rnd_t rnd) { return mpfr_set(r, a, rnd); }

// Each function of the language with its true value and the part of its
// domain (|argument| in [lo, hi], mirrored when `both`) kept clear of edges.
struct SPiece
{
    const char *name;
    Exact exact;
    double lo, hi;
    bool both;
};

const SPiece kPieces[] = {
    {"sin", mpfr_sin, 0, 3, true},     {"cos", mpfr_cos, 0, 3, true},     {"tan", mpfr_tan, 0, 1.4, true},
    {"cot", mpfr_cot, 0.1, 3, true},   {"csc", mpfr_csc, 0.1, 3, true},   {"sec", mpfr_sec, 0, 1.4, true},
    {"asin", mpfr_asin, 0, 0.9, true}, {"acos", mpfr_acos, 0, 0.9, true}, {"atan", mpfr_atan, 0, 10, true},
    {"acot", OfReciprocal<mpfr_atan>, 0.1, 10, true}, {"acsc", OfReciprocal<mpfr_asin>, 1.1, 10, true},
    {"asec", OfReciprocal<mpfr_acos>, 1.1, 10, true}, {"sinh", mpfr_sinh, 0, 5, true},
    {"cosh", mpfr_cosh, 0, 5, true},   {"tanh", mpfr_tanh, 0, 5, true},   {"coth", mpfr_coth, 0.1, 5, true},
    {"sech", mpfr_sech, 0, 5, true},   {"csch", mpfr_csch, 0.1, 5, true}, {"asinh", mpfr_asinh, 0, 10, true},
    {"acosh", mpfr_acosh, 1.1, 10, false}, {"atanh", mpfr_atanh, 0, 0.9, true},
    {"acoth", OfReciprocal<mpfr_atanh>, 1.1, 10, true}, {"asech", OfReciprocal<mpfr_acosh>, 0.1, 0.9, false},
    {"acsch", OfReciprocal<mpfr_asinh>, 0.1, 10, true}, {"ln", mpfr_log, 0.1, 10, false},
    {"log", mpfr_log10, 0.1, 10, false}, {"sqrt", mpfr_sqrt, 0.1, 10, false}, {"abs", mpfr_abs, 0.1, 10, true},
    {"cbrt", mpfr_cbrt, 0.1, 10, true}, {"exp", mpfr_exp, 0, 5, true},
};

// f(x) = outer(c * inner(x)), with inner one of the pieces or x itself.
Big ValueOf(const SPiece &outer, const SPiece *inner, const Big &c, const Big &x)
{
    const Big in = inner ? Apply(inner->exact, x) : Apply(Identity, x);
    return Apply(outer.exact, c * in);
}

RC_GTEST_PROP(DerivativeOracle, RandomCompositionsMatchTheNumericalSlope, ())
{
    const SPiece &outer = kPieces[*rc::gen::inRange<std::size_t>(0, std::size(kPieces))];
    const bool nested = *rc::gen::arbitrary<bool>();
    const SPiece *inner = nested ? &kPieces[*rc::gen::inRange<std::size_t>(0, std::size(kPieces))] : nullptr;
    const int c = *rc::gen::element(1, 2, -1, -3);
    // The argument of the outer function is drawn in its domain, on either side.
    const double t = *rc::gen::inRange(0, 1001) / 1000.0;
    const bool negative = outer.both && *rc::gen::arbitrary<bool>();
    const double u = (negative ? -1 : 1) * (outer.lo + t * (outer.hi - outer.lo));
    double x = u / c;
    if (inner) {
        // Find x with c * inner(x) near u by drawing x in the inner domain.
        const double s = *rc::gen::inRange(0, 1001) / 1000.0;
        const bool innerNegative = inner->both && *rc::gen::arbitrary<bool>();
        x = (innerNegative ? -1 : 1) * (inner->lo + s * (inner->hi - inner->lo));
    }
    const std::string text = std::string(outer.name) + "(" + std::to_string(c) + "*" +
                             (inner ? std::string(inner->name) + "(x)" : std::string("x")) + ")";
    const Big bx(x), h(std::ldexp(1.0, -80));
    const Big fx = ValueOf(outer, inner, c, bx);
    const Big up = ValueOf(outer, inner, c, bx + h), down = ValueOf(outer, inner, c, bx - h);
    if (fx.isnan() || fx.isinf() || up.isnan() || down.isnan() || up.isinf() || down.isinf())
        return;  // outside the domain of the composition
    const Big slope = (up - down) / (Big(2) * h);
    const CDerivative derivative(text);
    CExpression d;
    d.SetExpression(derivative.GetResult());
    const double value = d.Evaluate(x);
    RC_LOG() << text << " at " << x << ": " << derivative.GetResult() << " = " << value << ", true " << slope.d();
    if (std::fabs(slope.d()) > 1e12 || std::fabs(slope.d()) < 1e-250)
        return;  // too steep or flat to judge in doubles
    RC_ASSERT(std::fabs(value - slope.d()) <= 1e-6 * (std::fabs(slope.d()) + 1e-9));
}

// Faults found by the oracle, one case each.
TEST(DerivativeOracle, InverseReciprocalsFallOnBothSides)
{
    const struct { const char *text; double x, slope; } cases[] = {
        {"acsc(x)", -2, -1 / (2 * std::sqrt(3.0))}, {"acsc(x)", 2, -1 / (2 * std::sqrt(3.0))},
        {"asec(x)", -2, 1 / (2 * std::sqrt(3.0))},  {"asec(x)", 2, 1 / (2 * std::sqrt(3.0))},
        {"acsch(x)", -2, -1 / (2 * std::sqrt(5.0))}, {"acsch(x)", 2, -1 / (2 * std::sqrt(5.0))},
    };
    for (const auto &c : cases) {
        CExpression d;
        d.SetExpression(CDerivative(c.text).GetResult());
        EXPECT_NEAR(d.Evaluate(c.x), c.slope, 1e-14) << c.text << " at " << c.x;
    }
}

TEST(DerivativeSimplifier, LnEAndLog10AreOne)
{
    EXPECT_EQ(CDerivative("e^(2*x)").GetResult(), "2*e^(2*x)");
    EXPECT_EQ(CDerivative("x*ln(e)").GetResult(), "1");
    EXPECT_EQ(CDerivative("x*log(10)").GetResult(), "1");
}

// f(x) = p * outer(q * inner(x) + r) with the parameters drawn at random,
// against the MPFR slope: the letters are constants to the derivative.
RC_GTEST_PROP(DerivativeOracle, RandomCompositionsWithParametersMatchTheNumericalSlope, ())
{
    const SPiece &outer = kPieces[*rc::gen::inRange<std::size_t>(0, std::size(kPieces))];
    const SPiece *inner = *rc::gen::arbitrary<bool>() ? &kPieces[*rc::gen::inRange<std::size_t>(0, std::size(kPieces))] : nullptr;
    const std::string letters = kParameterLetters;
    const auto pick = [&] { return letters[*rc::gen::inRange<std::size_t>(0, letters.size())]; };
    const char p = pick(), q = pick(), r = pick();
    RC_PRE(p != q && q != r && p != r);
    const double pv = *rc::gen::inRange(-3000, 3001) / 1000.0, rv = *rc::gen::inRange(-1000, 1001) / 1000.0;
    const double qv = *rc::gen::element(1.0, 2.0, -1.0, -3.0, 0.5);
    const double t = *rc::gen::inRange(0, 1001) / 1000.0;
    const bool negative = outer.both && *rc::gen::arbitrary<bool>();
    const double u = (negative ? -1 : 1) * (outer.lo + t * (outer.hi - outer.lo));
    double x = (u - rv) / qv;
    if (inner) {
        const double s = *rc::gen::inRange(0, 1001) / 1000.0;
        x = (inner->both && *rc::gen::arbitrary<bool>() ? -1 : 1) * (inner->lo + s * (inner->hi - inner->lo));
    }
    const std::string text = std::string(1, p) + "*" + outer.name + "(" + q + "*" +
                             (inner ? std::string(inner->name) + "(x)" : std::string("x")) + "+" + r + ")";
    const auto exact = [&](const Big &at) {
        return Big(pv) * Apply(outer.exact, Big(qv) * (inner ? Apply(inner->exact, at) : at) + Big(rv));
    };
    const Big bx(x), h(std::ldexp(1.0, -80));
    const Big fx = exact(bx), up = exact(bx + h), down = exact(bx - h);
    if (fx.isnan() || fx.isinf() || up.isnan() || down.isnan() || up.isinf() || down.isinf())
        return;  // outside the domain of the composition
    const Big slope = (up - down) / (Big(2) * h);
    const CDerivative derivative(Compiled(text).m_strCoded);
    CExpression d = Compiled(derivative.GetResult());
    RC_ASSERT(CheckSyntax(d.m_strCoded) == 0);
    d.SetParameter(p, pv);
    d.SetParameter(q, qv);
    d.SetParameter(r, rv);
    const double value = d.Evaluate(x);
    RC_LOG() << text << " at " << x << ": " << derivative.GetResult() << " = " << value << ", true " << slope.d();
    if (std::fabs(slope.d()) > 1e12 || std::fabs(slope.d()) < 1e-250)
        return;  // too steep or flat to judge in doubles
    RC_ASSERT(std::fabs(value - slope.d()) <= 1e-6 * (std::fabs(slope.d()) + 1e-9));
}

}  // namespace
