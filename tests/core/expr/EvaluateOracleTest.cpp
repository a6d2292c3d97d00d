// The evaluator against MPFR at random arguments: each function of the
// language, applied to x, within a few ulps of the true value.
#include "core/expr/Expression.h"
#include "oracle/Mpfr.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cmath>
#include <string>

namespace {

using oracle::Big;

struct SFunction
{
    const char *text;
    int (*exact)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
    double lo, hi;  // where the argument is drawn
};

const SFunction kFunctions[] = {
    {"sin(x)", mpfr_sin, -100, 100},   {"cos(x)", mpfr_cos, -100, 100},   {"tan(x)", mpfr_tan, -1.5, 1.5},
    {"exp(x)", mpfr_exp, -700, 700},   {"ln(x)", mpfr_log, 1e-300, 1e300}, {"log(x)", mpfr_log10, 1e-300, 1e300},
    {"sqrt(x)", mpfr_sqrt, 0, 1e300},  {"cbrt(x)", mpfr_cbrt, -1e300, 1e300}, {"atan(x)", mpfr_atan, -1e6, 1e6},
    {"asin(x)", mpfr_asin, -1, 1},     {"acos(x)", mpfr_acos, -1, 1},     {"sinh(x)", mpfr_sinh, -700, 700},
    {"cosh(x)", mpfr_cosh, -700, 700}, {"tanh(x)", mpfr_tanh, -20, 20},   {"asinh(x)", mpfr_asinh, -1e6, 1e6},
    {"acosh(x)", mpfr_acosh, 1, 1e6},  {"atanh(x)", mpfr_atanh, -1, 1},
};

RC_GTEST_PROP(EvaluateOracle, EachFunctionOfXIsWithinFourUlps, ())
{
    const auto index = *rc::gen::inRange<std::size_t>(0, std::size(kFunctions));
    const SFunction &f = kFunctions[index];
    const double t = *rc::gen::inRange(0, 1000001) / 1e6;
    const double x = f.lo + t * (f.hi - f.lo);
    CExpression expression;
    expression.SetExpression(f.text);
    const double value = expression.Evaluate(x);
    const Big exact = Apply(f.exact, Big(x));
    RC_ASSERT(std::isfinite(value) == !(exact.isinf() || exact.isnan() || std::fabs(exact.d()) > 1.7e308));
    if (std::isfinite(value) && !exact.iszero()) {
        const double ulps = (Abs(Big(value) - exact) / Big(std::fabs(std::nextafter(exact.d(), HUGE_VAL) - exact.d()))).d();
        RC_ASSERT(ulps <= 4.0);
    }
}

}  // namespace
