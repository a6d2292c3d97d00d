// The interval evaluator against MPFR: every operation, on random sets, holds
// the true value at points of the set; and cases at the edges of domains,
// poles and periods, checked by hand.
#include "core/expr/Angle.h"
#include "core/expr/Expression.h"
#include "core/expr/Interval.h"
#include "core/expr/Operations.h"
#include "oracle/Mpfr.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cmath>
#include <map>
#include <numbers>
#include <string>

namespace {

using oracle::Big;
using oracle::Exact;
using oracle::OfReciprocal;

const std::map<std::string, Exact> kExact = {
    {"sin", mpfr_sin},     {"cos", mpfr_cos},     {"tan", mpfr_tan},     {"cot", mpfr_cot},
    {"csc", mpfr_csc},     {"sec", mpfr_sec},     {"asin", mpfr_asin},   {"acos", mpfr_acos},
    {"atan", mpfr_atan},   {"acot", OfReciprocal<mpfr_atan>},           {"acsc", OfReciprocal<mpfr_asin>},
    {"asec", OfReciprocal<mpfr_acos>},            {"sinh", mpfr_sinh},   {"cosh", mpfr_cosh},
    {"tanh", mpfr_tanh},   {"coth", mpfr_coth},   {"sech", mpfr_sech},   {"csch", mpfr_csch},
    {"asinh", mpfr_asinh}, {"acosh", mpfr_acosh}, {"atanh", mpfr_atanh}, {"acoth", OfReciprocal<mpfr_atanh>},
    {"asech", OfReciprocal<mpfr_acosh>},          {"acsch", OfReciprocal<mpfr_asinh>},
    {"ln", mpfr_log},      {"log", mpfr_log10},   {"sqrt", mpfr_sqrt},   {"abs", mpfr_abs},
    {"cbrt", mpfr_cbrt},   {"exp", mpfr_exp},
};

// A double of a random size and sign, sometimes exactly 0 or 1.
rc::Gen<double> Number(int maxExponent)
{
    return rc::gen::map(rc::gen::tuple(rc::gen::inRange(-4, maxExponent + 1), rc::gen::inRange(0, 1000001),
                                       rc::gen::inRange(0, 12)),
                        [](const std::tuple<int, int, int> &t) {
                            const auto [e, m, special] = t;
                            if (special == 0)
                                return 0.0;
                            if (special == 1)
                                return e % 2 ? 1.0 : -1.0;
                            const double v = std::ldexp(m / 1e6, 0) * std::pow(10.0, e);
                            return special % 2 ? v : -v;
                        });
}

// [a, a + width] with the width from zero to wider than a period.
SInterval RandomSet(int maxExponent)
{
    const double a = *Number(maxExponent);
    const int j = *rc::gen::inRange(-1, 10);
    const double width = j < 0 ? 0.0 : *rc::gen::inRange(0, 1001) / 1000.0 * std::pow(10.0, 2 - j);
    return SInterval::Of(a, a + width);
}

// Points of the set: both ends and some inside. -0 becomes +0 as the
// evaluators see an x of 0.
std::vector<double> PointsOf(const SInterval &s)
{
    std::vector<double> p = {s.lo, s.hi};
    for (int i = 0; i < 8; ++i)
        p.push_back(s.lo + *rc::gen::inRange(0, 1001) / 1000.0 * (s.hi - s.lo));
    for (double &v : p)
        v = std::clamp(v, s.lo, s.hi) + 0.0;
    return p;
}

// The set holds the true value v, or v is undefined or a pole it flags.
void AssertHolds(const SInterval &r, const Big &v, const std::string &what)
{
    RC_LOG() << what << " -> [" << r.lo << ", " << r.hi << "] flags " << int(r.flags) << " true " << v.str()
             << "\n";
    if (v.isnan()) {
        RC_ASSERT(r.IsEmpty() || (r.flags & (SInterval::kPartUndefined | SInterval::kPole)) != 0);
        return;
    }
    RC_ASSERT(!r.IsEmpty());
    if (v.isinf() && (r.flags & SInterval::kPole))
        return;
    RC_ASSERT(Big(r.lo) <= v);
    RC_ASSERT(v <= Big(r.hi));
}

RC_GTEST_PROP(Interval, EveryFunctionHoldsTheTrueValueOnItsSet, ())
{
    for (const SOperation &op : Operations()) {
        const bool degree = op.angular && *rc::gen::arbitrary<bool>();
        const double k = degree ? kRadiansPerDegree : 1.0;
        const SInterval x = RandomSet(op.angular ? 6 : 3);
        const SInterval r = op.interval(x, k);
        for (double p : PointsOf(x)) {
            Big arg(p);
            if (degree)
                arg = arg * Big::Pi() / Big(180);
            AssertHolds(r, Apply(kExact.at(op.name), arg), std::string(op.name) + "(" + std::to_string(p) + ")");
        }
    }
}

RC_GTEST_PROP(Interval, EveryOperatorHoldsTheTrueValueOnItsSets, ())
{
    const char code = *rc::gen::element('+', '-', '*', '/', '^');
    const SInterval a = RandomSet(3), b = RandomSet(code == '^' ? 1 : 3);
    const SInterval r = interval::ApplyBinary(code, a, b);
    const auto pa = PointsOf(a), pb = PointsOf(b);
    for (std::size_t i = 0; i < pa.size(); ++i) {
        const Big l(pa[i]), v(pb[(i * 5 + 1) % pb.size()]);
        Big exact;
        switch (code) {
        case '+': exact = l + v; break;
        case '-': exact = l - v; break;
        case '*': exact = l * v; break;
        case '/': exact = l / v; break;
        default: exact = Pow(l, v); break;
        }
        AssertHolds(r, exact, std::to_string(pa[i]) + code + std::to_string(pb[(i * 5 + 1) % pb.size()]));
    }
}

// Whole powers as the compiled program runs them (x^2, x^3, x^4 have
// instructions of their own) and negative ones.
RC_GTEST_PROP(Interval, ProgramPowersHoldTheTrueValue, ())
{
    const int n = *rc::gen::inRange(-5, 6);
    CExpression f;
    f.SetExpression("x^" + (n < 0 ? "(" + std::to_string(n) + ")" : std::to_string(n)));
    const SInterval x = RandomSet(2);
    const SInterval r = f.Range(x.lo, x.hi, 1.0);
    for (double p : PointsOf(x))
        AssertHolds(r, Pow(Big(p), Big(n)), f.m_strText + " at " + std::to_string(p));
}

// A random formula over the whole language: every function, operator and
// the powers the program has instructions of its own for.
std::string RandomText(int depth)
{
    const int kind = *rc::gen::inRange(0, depth == 0 ? 2 : 7);
    switch (kind) {
    case 0: return "x";
    case 1: return *rc::gen::element<std::string>("2", "0.5", "3", "0", "1", "pi", "1e-3");
    case 2: {
        const auto ops = Operations();
        const SOperation &op = ops[*rc::gen::inRange<std::size_t>(0, ops.size())];
        return std::string(op.name) + "(" + RandomText(depth - 1) + ")";
    }
    case 3:
        return "(" + RandomText(depth - 1) + *rc::gen::element<std::string>("+", "-", "*", "/", "^") +
               RandomText(depth - 1) + ")";
    case 4:
        return "(" + RandomText(depth - 1) + ")^" +
               *rc::gen::element<std::string>("2", "3", "4", "(-1)", "(-2)", "0.5", "(1/3)", "0", "x");
    case 5: return "(-" + RandomText(depth - 1) + ")";
    default: return "sin(x)*cos(x)+" + RandomText(depth - 1);  // the paired sine and cosine
    }
}

// The double the point evaluator gives lies in the set over any interval
// holding the point: each operation's set is widened beyond its rounding.
// Where the point value is undefined the set says it may be, or it is
// unbounded (inf - inf after an overflow).
RC_GTEST_PROP(Interval, PointValuesOfAnyFormulaLieInItsSet, ())
{
    const std::string text = RandomText(*rc::gen::inRange(1, 5));
    CExpression f;
    f.SetExpression(text);
    RC_PRE(f.IsWellFormed());
    const double k = *rc::gen::arbitrary<bool>() ? kRadiansPerDegree : 1.0;
    const SInterval x = RandomSet(2);
    const SInterval r = f.Range(x.lo, x.hi, k);
    for (double p : PointsOf(x)) {
        const double v = f.ValueAt(p, k);
        RC_LOG() << text << " at " << p << " = " << v << " in [" << r.lo << ", " << r.hi << "] flags "
                 << int(r.flags) << "\n";
        if (std::isnan(v)) {
            RC_ASSERT(r.IsEmpty() || r.flags != 0 || !r.Bounded());
            continue;
        }
        RC_ASSERT(!r.IsEmpty());
        RC_ASSERT(r.Contains(v) || (std::isinf(v) && (r.flags & SInterval::kPole)));
    }
}

struct SCase
{
    const char *text;
    double lo, hi;         // x
    double wantLo, wantHi; // the set, to 1e-12
    std::uint8_t flags;
};

constexpr double kInf = SInterval::kInf;
constexpr double kPi = std::numbers::pi;
constexpr std::uint8_t kU = SInterval::kPartUndefined, kP = SInterval::kPole;

class IntervalCase : public ::testing::TestWithParam<SCase> {};

TEST_P(IntervalCase, GivesTheSetAndFlags)
{
    const SCase &c = GetParam();
    CExpression f;
    f.SetExpression(c.text);
    const SInterval r = f.Range(c.lo, c.hi, 1.0);
    if (std::isnan(c.wantLo)) {
        EXPECT_TRUE(r.IsEmpty()) << r.lo << " " << r.hi;
        return;
    }
    const auto near = [](double got, double want) {
        return std::isinf(want) ? got == want : std::fabs(got - want) <= 1e-12 * (1 + std::fabs(want));
    };
    EXPECT_TRUE(near(r.lo, c.wantLo)) << r.lo;
    EXPECT_TRUE(near(r.hi, c.wantHi)) << r.hi;
    EXPECT_EQ(r.flags, c.flags);
}

const double kNaN = std::nan("");

INSTANTIATE_TEST_SUITE_P(Edges, IntervalCase, ::testing::Values(
    SCase{"1/x", -1, 1, -kInf, kInf, kP},
    SCase{"1/x", 0, 2, 0.5, kInf, kP},
    SCase{"1/x", -2, 0, -kInf, kInf, kP},           // at x = +0 the value is +inf
    SCase{"1/(-x)", 0, 2, -kInf, -0.5, kP},          // -x is -0 there: -inf, the side of the set
    SCase{"1/abs(x)", -1, 1, 1, kInf, kP},
    SCase{"1/x", 1, 4, 0.25, 1, 0},
    SCase{"abs(x)/x", -1, 1, -kInf, kInf, kU | kP},
    SCase{"sqrt(x)", -1, 4, 0, 2, kU},
    SCase{"sqrt(x)", -2, -1, kNaN, kNaN, 0},
    SCase{"ln(x)", 0, 1, -kInf, 0, kP},
    SCase{"ln(x)", -1, std::exp(1.0), -kInf, 1, kU | kP},
    SCase{"asin(x)", 0.5, 3, kPi / 6, kPi / 2, kU},
    SCase{"acosh(x)", -5, 1, 0, 0, kU},
    SCase{"atanh(x)", 0, 1, 0, kInf, kP},
    SCase{"sin(x)", 0, 2 * kPi, -1, 1, 0},
    SCase{"sin(x)", 1, 2, std::sin(1.0), 1, 0},        // the top at pi/2 inside
    SCase{"sin(x)", 4, 5, -1, std::sin(4.0), 0},       // the bottom at 3pi/2
    SCase{"cos(x)", 3, 3.5, -1, std::cos(3.5), 0},
    SCase{"cos(x)", 1e6, 1e6 + 0.1, std::cos(1e6), std::cos(1e6 + 0.1), 0},  // a far period, rising piece
    SCase{"tan(x)", 0, 1, 0, std::tan(1.0), 0},
    SCase{"tan(x)", 1, 2, -kInf, kInf, kP},
    SCase{"cot(x)", -0.5, 0.5, -kInf, kInf, kP},
    SCase{"sec(x)", -1, 1, 1, 1 / std::cos(1.0), 0},
    SCase{"csc(x)", 3, 3.5, -kInf, kInf, kP},
    SCase{"x^2", -1, 2, 0, 4, 0},
    SCase{"x^3-x", 2, 3, 8 - 3, 27 - 2, 0},             // each x on its own: a wider set, still true
    SCase{"x^(-2)", -1, 1, 1, kInf, kP},
    SCase{"x^0.5", -1, 4, 0, 2, kU},
    SCase{"x^(1/3)", -8, -1, kNaN, kNaN, 0},            // a fractional power of a negative: undefined
    SCase{"(-2)^x", 1, 3, -8, 8, kU},                    // only whole x: -2, 4, -8
    SCase{"(x-x*x)^1.1", 1e300, 1e301, kNaN, kNaN, 0},   // the base overflows to -inf: still negative
    SCase{"(x-x*x)^-1.1", 1e300, 1e301, kNaN, kNaN, 0},
    SCase{"(x-x*x)^3", 1e300, 1e301, -kInf, -1.7976931348623157e308, 0},
    SCase{"2^x", -1, 3, 0.5, 8, 0},
    SCase{"x^x", 0, 2, 0, 4, 0},
    SCase{"cosh(x)", -1, 2, 1, std::cosh(2.0), 0},
    SCase{"exp(x)", 710, 720, 1.7976931348623157e308, kInf, 0},  // beyond the doubles, still bounded below
    SCase{"x^0", -1, 1, 1, 1, 0},
    SCase{"sqrt(x-2)^0", 0, 1, 1, 1, 0}                  // pow(undefined, 0) is 1, as the point value
));

TEST(Interval, DegreeModeHoldsTheExactQuarterTurns)
{
    // sin 180 degrees is exactly 0 in degree mode; the set must hold it.
    const SInterval r = interval::Sin(SInterval::Of(180, 180), kRadiansPerDegree);
    EXPECT_LE(r.lo, 0.0);
    EXPECT_GE(r.hi, 0.0);
    EXPECT_LT(r.hi - r.lo, 1e-14);
    const SInterval t = interval::Tan(SInterval::Of(80, 100), kRadiansPerDegree);
    EXPECT_TRUE(t.flags & SInterval::kPole);
    const SInterval c = interval::Cos(SInterval::Of(-10, 10), kRadiansPerDegree);
    EXPECT_EQ(c.hi, 1.0);
}

TEST(Interval, ExpressionFollowsTheDegreeModeAndItsRestriction)
{
    CExpression f;
    f.SetExpression("sin(x)");
    f.m_bDegree = true;
    const double k = f.TakeAngleFactor();
    EXPECT_FALSE(f.m_bDegree);
    EXPECT_EQ(k, kRadiansPerDegree);
    const SInterval r = f.Range(0, 90, k);
    EXPECT_LE(r.lo, 0.0);
    EXPECT_GE(r.hi, 1.0 - 1e-15);

    // A derivative exists only where its function does.
    CExpression function, derivative;
    function.SetExpression("sqrt(x)");
    derivative.SetExpression("1/(2*sqrt(x))");
    derivative.RestrictTo(function);
    EXPECT_TRUE(derivative.Range(-2, -1, 1.0).IsEmpty());
    CExpression everywhere;
    everywhere.SetExpression("x");
    everywhere.RestrictTo(function);
    const SInterval part = everywhere.Range(-1, 1, 1.0);
    EXPECT_TRUE(part.flags & SInterval::kPartUndefined);
    EXPECT_TRUE(everywhere.Range(-3, -2, 1.0).IsEmpty());
}

TEST(Interval, AnUnusableTextIsUndefinedEverywhere)
{
    CExpression f;
    f.SetExpression("sin(");
    EXPECT_TRUE(f.Range(-1, 1, 1.0).IsEmpty());
    // An infinite constant keeps its sides: lo stays below +inf.
    const SInterval big = SInterval::Point(HUGE_VAL);
    EXPECT_LT(big.lo, HUGE_VAL);
    EXPECT_TRUE(big.Contains(HUGE_VAL));
}

}  // namespace
