// Random integrands with closed-form integrals and random tables, checked
// against exact values: the value of an integral lies within its error
// estimate (or the refusal is true), and every digit a table shows is right.
#include "core/analysis/Integration.h"
#include "core/analysis/PointsTable.h"
#include "core/expr/Expression.h"
#include "core/expr/ShownNumber.h"
#include "oracle/Mpfr.h"

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

namespace {

using R = EIntegrationRule;

// A number as the expression language reads it, in brackets when negative.
std::string Num(double v)
{
    const std::string t = ShownExact(v);
    return v < 0 ? "(" + t + ")" : t;
}

struct SCase
{
    std::string text;
    double a, b;
    long double exact;
    bool singularEnd;  // unbounded but integrable at a
};

SCase MakeCase(int family, double a, double len)
{
    const double b = a + len;
    const long double A = a, B = b, L = len;
    switch (family) {
    case 0: {  // a cubic with small integer coefficients
        const int c0 = *rc::gen::inRange(-5, 6), c1 = *rc::gen::inRange(-5, 6), c2 = *rc::gen::inRange(-5, 6),
                  c3 = *rc::gen::inRange(-5, 6);
        const auto F = [&](long double x) { return c0 * x + c1 * x * x / 2 + c2 * x * x * x / 3 + c3 * x * x * x * x / 4; };
        return {Num(c0) + "+" + Num(c1) + "*x+" + Num(c2) + "*x^2+" + Num(c3) + "*x^3", a, b, F(B) - F(A), false};
    }
    case 1: {  // exp(k x)
        const double k = *rc::gen::inRange(-8, 9) / 4.0;
        if (k == 0)
            return {"e^(0*x)", a, b, L, false};
        return {"exp(" + Num(k) + "*x)", a, b, (std::exp(k * B) - std::exp(k * A)) / k, false};
    }
    case 2: {  // sin(k x + p)
        const double k = *rc::gen::inRange(1, 13) / 2.0, p = *rc::gen::inRange(-4, 5) / 4.0;
        return {"sin(" + Num(k) + "*x+" + Num(p) + ")", a, b, (std::cos(k * A + p) - std::cos(k * B + p)) / k, false};
    }
    case 3:  // 1/sqrt at the lower end
        return {"1/sqrt(x-" + Num(a) + ")", a, b, 2 * std::sqrt(L), true};
    case 4:  // ln at the lower end
        return {"ln(x-" + Num(a) + ")", a, b, L * std::log(L) - L, true};
    default: {  // a narrow peak inside
        const double w = std::pow(10.0, -*rc::gen::inRange(2, 6));
        const double c = a + len * *rc::gen::inRange(1, 8) / 8.0 + 0.0137 * len;
        const long double W = w, C = c;
        // Fixed decimals: the expression language reads "1e-04" as e - 4.
        return {"1/((x-" + Num(c) + ")^2+" + FormatFixed(w, 6) + "^2)", a, b,
                (std::atan((B - C) / W) - std::atan((A - C) / W)) / W, false};
    }
    }
}

RC_GTEST_PROP(IntegrationProperty, ValueWithinItsEstimateOrATrueRefusal, ())
{
    const int family = *rc::gen::inRange(0, 6);
    const double a = *rc::gen::inRange(-8, 9) / 4.0;
    const double len = *rc::gen::element(0.5, 1.0, 1.5, 2.0, 3.0);
    const double h = *rc::gen::element(0.1, 0.05, 0.01, 0.002);
    const R rule = *rc::gen::element(R::MidPoint, R::Trapezoid, R::Simpson);
    const SCase c = MakeCase(family, a, len);
    CExpression f;
    f.SetExpression(c.text);
    const SIntegral r = Integrate(f, c.a, c.b, h, rule);
    RC_TAG(family, static_cast<int>(rule));
    RC_LOG() << c.text << " on [" << c.a << ", " << c.b << "] h " << h << " value " << r.value << "\n";
    RC_ASSERT(!r.pole.has_value());
    if (r.unboundedEnd) {
        RC_CLASSIFY(true, "refused: unbounded end");
        RC_ASSERT(c.singularEnd && rule != R::MidPoint);
        RC_ASSERT(*r.unboundedEnd == c.a);
        return;
    }
    RC_ASSERT(HasIntegralValue(r));
    RC_CLASSIFY(!r.errorEstimate, "no reliable estimate");
    RC_CLASSIFY(r.errorEstimate && *r.errorEstimate > 0.5e-6, "step too coarse");
    if (r.errorEstimate) {
        const double error = static_cast<double>(std::fabs(static_cast<long double>(r.value) - c.exact));
        RC_ASSERT(error <= *r.errorEstimate);
    }
}

// Every shown x of the table is the decimal From + i * Increment, every
// shown digit of f(x) right against MPFR at that decimal.
RC_GTEST_PROP(PointsTableProperty, EveryShownDigitIsRight, ())
{
    const int scale = *rc::gen::inRange(0, 4);
    const double unit = std::pow(10.0, scale);
    const std::string fromText = ShownExact(*rc::gen::inRange(-3000, 3001) / unit);
    const std::string stepText = ShownExact(*rc::gen::inRange(1, 60) / std::pow(10.0, *rc::gen::inRange(0, 4)));
    const int rows = *rc::gen::inRange(1, 300);
    const double from = std::strtod(fromText.c_str(), nullptr), step = std::strtod(stepText.c_str(), nullptr);
    const STableSettings s{from, from + step * rows, step};
    RC_PRE(CheckTableSettings(s).empty());
    const std::vector<STableRow> table = PointsTableRows("x^2-3*x+1", s);
    std::istringstream csv(TableText(table, ','));
    std::string line;
    std::getline(csv, line);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const oracle::Big x = oracle::Big::Text(fromText) + oracle::Big(static_cast<long>(i)) * oracle::Big::Text(stepText);
        const oracle::Big y = x * x - oracle::Big(3) * x + oracle::Big(1);
        RC_ASSERT(std::getline(csv, line));
        const std::string xText = line.substr(0, line.find(','));
        RC_ASSERT(oracle::ShownError(xText, x) <= 0.5);
        const std::string listed = TableLine(table[i].x, table[i].y);
        const std::string xs = listed.substr(0, listed.find(' ')), ys = listed.substr(30, listed.find(' ', 30) - 30);
        RC_ASSERT(oracle::ShownError(xs, x) <= 0.5);
        RC_ASSERT(oracle::ShownError(ys, y) <= 0.5 + 1e-6);
    }
}

}  // namespace
