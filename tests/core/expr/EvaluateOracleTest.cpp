// The evaluator against MPFR at random arguments: each function of the
// language, applied to x, within a few ulps of the true value.
#include "core/analysis/TraceText.h"
#include "core/expr/Expression.h"
#include "oracle/Mpfr.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cmath>
#include <string>

namespace {

using oracle::Big;

using Exact = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

using oracle::OfReciprocal;

struct SFunction
{
    const char *text;
    Exact exact;
    double lo, hi;        // where |x| is drawn
    bool negative;        // the domain has the mirrored part too
    bool reciprocal;      // computed from 1/x: one rounding of x's size is allowed for
};

// Every function of the operation table, over both signs where it is defined.
const SFunction kFunctions[] = {
    {"sin(x)", mpfr_sin, 0, 100, true, false},        {"cos(x)", mpfr_cos, 0, 100, true, false},
    {"tan(x)", mpfr_tan, 0, 1.5, true, false},        {"cot(x)", mpfr_cot, 1e-3, 1.5, true, false},
    {"csc(x)", mpfr_csc, 1e-3, 3, true, false},       {"sec(x)", mpfr_sec, 0, 1.5, true, false},
    {"asin(x)", mpfr_asin, 0, 1, true, false},        {"acos(x)", mpfr_acos, 0, 1, true, false},
    {"atan(x)", mpfr_atan, 0, 1e6, true, false},      {"acot(x)", OfReciprocal<mpfr_atan>, 1e-6, 1e6, true, true},
    {"acsc(x)", OfReciprocal<mpfr_asin>, 1, 1e6, true, true}, {"asec(x)", OfReciprocal<mpfr_acos>, 1, 1e6, true, true},
    {"sinh(x)", mpfr_sinh, 0, 700, true, false},      {"cosh(x)", mpfr_cosh, 0, 700, true, false},
    {"tanh(x)", mpfr_tanh, 0, 20, true, false},       {"coth(x)", mpfr_coth, 1e-6, 20, true, false},
    {"sech(x)", mpfr_sech, 0, 700, true, false},      {"csch(x)", mpfr_csch, 1e-6, 700, true, false},
    {"asinh(x)", mpfr_asinh, 0, 1e6, true, false},    {"acosh(x)", mpfr_acosh, 1, 1e6, false, false},
    {"atanh(x)", mpfr_atanh, 0, 1, true, false},      {"acoth(x)", OfReciprocal<mpfr_atanh>, 1, 1e6, true, true},
    {"asech(x)", OfReciprocal<mpfr_acosh>, 1e-6, 1, false, true}, {"acsch(x)", OfReciprocal<mpfr_asinh>, 1e-6, 1e6, true, true},
    {"ln(x)", mpfr_log, 1e-300, 1e300, false, false}, {"log(x)", mpfr_log10, 1e-300, 1e300, false, false},
    {"sqrt(x)", mpfr_sqrt, 0, 1e300, false, false},   {"abs(x)", mpfr_abs, 0, 1e300, true, false},
    {"cbrt(x)", mpfr_cbrt, 0, 1e300, true, false},    {"exp(x)", mpfr_exp, 0, 700, true, false},
};

RC_GTEST_PROP(EvaluateOracle, EachFunctionOfXIsWithinFourUlps, ())
{
    const auto index = *rc::gen::inRange<std::size_t>(0, std::size(kFunctions));
    const SFunction &f = kFunctions[index];
    const double t = *rc::gen::inRange(0, 1000001) / 1e6;
    const bool mirrored = f.negative && *rc::gen::arbitrary<bool>();
    const double x = (mirrored ? -1 : 1) * (f.lo + t * (f.hi - f.lo));
    CExpression expression;
    expression.SetExpression(f.text);
    const double value = expression.Evaluate(x);
    const Big exact = Apply(f.exact, Big(x));
    RC_ASSERT(std::isfinite(value) == !(exact.isinf() || exact.isnan() || std::fabs(exact.d()) > 1.7e308));
    if (std::isfinite(value) && !exact.iszero()) {
        Big allowed = Big(4.0) * Big(std::fabs(std::nextafter(exact.d(), HUGE_VAL) - exact.d()));
        if (f.reciprocal) {
            // 1/x rounds once: the value may be that of x moved by one part in 2^52.
            const Big h(std::ldexp(std::fabs(x), -52));
            allowed = allowed + Abs(Apply(f.exact, Big(x) + h) - Apply(f.exact, Big(x) - h));
        }
        RC_ASSERT(Abs(Big(value) - exact) <= allowed);
    }
}

// pi and e are the doubles nearest to them, whatever the coded text spells.
TEST(EvaluateOracle, PiAndEAreTheNearestDoubles)
{
    CExpression pi, e;
    pi.SetExpression("pi");
    e.SetExpression("e");
    EXPECT_EQ(pi.Evaluate(0), Big::Pi().d());
    EXPECT_EQ(e.Evaluate(0), Big::E().d());
    CExpression sine;
    sine.SetExpression("sin(pi)");
    EXPECT_LT(std::fabs(sine.Evaluate(0)), 2e-16);
}

// What eval prints: 15 significant digits, within about half a unit of the
// last place of the true value (MPFR), at random arguments.
RC_GTEST_PROP(EvaluateOracle, PrintedDigitsAreTheTrueValueRounded, ())
{
    const auto index = *rc::gen::inRange<std::size_t>(0, 4);
    const char *texts[] = {"sin(x)", "exp(x)", "sqrt(x)", "pi*x"};
    const double x = 0.5 + *rc::gen::inRange(0, 1000001) / 1e5;
    CExpression expression;
    expression.SetExpression(texts[index]);
    const double value = expression.Evaluate(x);
    const Big exact = index == 0 ? Apply(mpfr_sin, Big(x))
                      : index == 1 ? Apply(mpfr_exp, Big(x))
                      : index == 2 ? Apply(mpfr_sqrt, Big(x))
                                   : Big::Pi() * Big(x);
    const std::string shown = TraceResultText(value, false);
    // Half a unit for the rounding of the print, a little more for the
    // double's own rounding below the fifteenth digit.
    RC_ASSERT(oracle::ShownError(shown, exact) <= 0.6);
}

TEST(EvaluateOracle, EvalPrintsPiToItsLastDigit)
{
    CExpression pi;
    pi.SetExpression("pi");
    EXPECT_EQ(TraceResultText(pi.Evaluate(0), false), "3.14159265358979");
    EXPECT_LE(oracle::ShownError(TraceResultText(pi.Evaluate(0), false), Big::Pi()), 0.5);
}

}  // namespace
