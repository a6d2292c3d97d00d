#include "core/expr/Interval.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <numbers>

namespace interval {

namespace {

constexpr double kInf = SInterval::kInf;
constexpr double kPi = std::numbers::pi;
constexpr double kHalfPi = std::numbers::pi / 2;

SInterval Bounds(double lo, double hi, std::uint8_t flags)
{
    SInterval r;
    r.lo = Down(lo);
    r.hi = Up(hi);
    r.flags = flags;
    return r;
}

// a with the part outside [dlo, dhi] removed; cutting marks it partly
// undefined.
SInterval Clip(const SInterval &a, double dlo, double dhi)
{
    if (a.IsEmpty() || a.hi < dlo || a.lo > dhi)
        return SInterval::Empty();
    SInterval r = a;
    if (r.lo < dlo || r.hi > dhi)
        r.flags |= SInterval::kPartUndefined;
    r.lo = std::max(r.lo, dlo);
    r.hi = std::min(r.hi, dhi);
    return r;
}

template <double (*F)(double)>
SInterval Increasing(const SInterval &a)
{
    if (a.IsEmpty())
        return a;
    return Bounds(F(a.lo), F(a.hi), a.flags);
}

template <double (*F)(double)>
SInterval Decreasing(const SInterval &a)
{
    if (a.IsEmpty())
        return a;
    return Bounds(F(a.hi), F(a.lo), a.flags);
}

// The angle in radians: the degree factor is pi/180 within an ulp, so the
// true angle lies in the product with its neighbours.
SInterval Radians(const SInterval &a, double k)
{
    if (k == 1.0 || a.IsEmpty())
        return a;
    return Mul(a, SInterval::Of(std::nextafter(k, 0.0), std::nextafter(k, 2.0)));
}

// Whether some offset + pi j (j integer) may lie in [lo, hi]; the first and
// last such j. Generous by a few ulps of the arguments, so a point that
// rounding puts just outside still counts.
bool CriticalPoints(double lo, double hi, double offset, double &first, double &last)
{
    const double slack = (std::fabs(lo) + std::fabs(hi) + 1.0) * 1e-15;
    first = std::ceil((lo - offset) / kPi - slack);
    last = std::floor((hi - offset) / kPi + slack);
    return first <= last;
}

// sin or cos: monotone between the extremes at offset + pi j, +1 at even j.
SInterval Wave(const SInterval &x, double offset, double (*f)(double))
{
    if (x.IsEmpty())
        return x;
    if (!x.Bounded())  // sin and cos of an infinity are undefined
        return SInterval::Of(-1, 1, x.flags | SInterval::kPartUndefined);
    if (x.hi - x.lo >= 2 * kPi || std::fabs(x.lo) > 0x1p50 || std::fabs(x.hi) > 0x1p50)
        return SInterval::Of(-1, 1, x.flags);
    SInterval r = Bounds(std::min(f(x.lo), f(x.hi)), std::max(f(x.lo), f(x.hi)), x.flags);
    double first, last;
    if (CriticalPoints(x.lo, x.hi, offset, first, last)) {
        if (first < last || std::fmod(first, 2.0) == 0)
            r.hi = 1;
        if (first < last || std::fmod(first, 2.0) != 0)
            r.lo = -1;
    }
    r.lo = std::max(r.lo, -1.0);
    r.hi = std::min(r.hi, 1.0);
    return r;
}

double Cotangent(double v) { return 1.0 / std::tan(v); }
double Log10(double v) { return std::log10(v); }
double Ln1(double v) { return std::log(v); }

// A logarithm-like function defined from 0 on, -inf at 0.
template <double (*F)(double)>
SInterval FromZero(const SInterval &a)
{
    SInterval c = Clip(a, 0.0, kInf);
    if (c.IsEmpty())
        return c;
    if (c.lo == 0)
        c.flags |= SInterval::kPole;
    return Increasing<F>(c);
}

double PowCorner(double x, double y, std::uint8_t &flags)
{
    if (x == 0 && y < 0)
        flags |= SInterval::kPole;
    return std::pow(x, y);
}

// x^y over x >= 0: monotone in each argument on the pieces split at x = 1
// and y = 0, so the extremes lie among these corners.
SInterval PowPositive(double xlo, double xhi, const SInterval &y, std::uint8_t flags)
{
    double xs[3] = {xlo, xhi, xhi}, ys[3] = {y.lo, y.hi, y.hi};
    if (xlo < 1 && xhi > 1)
        xs[2] = 1;
    if (y.lo < 0 && y.hi > 0)
        ys[2] = 0;
    double lo = kInf, hi = -kInf;
    for (double xv : xs)
        for (double yv : ys) {
            const double v = PowCorner(xv, yv, flags);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    return Bounds(lo, hi, flags);
}

SInterval PowInteger(const SInterval &a, double n)
{
    if (n < 0)
        return Recip(PowInteger(a, -n));
    const double pl = std::pow(a.lo, n), ph = std::pow(a.hi, n);
    if (std::fmod(n, 2.0) != 0)
        return Bounds(pl, ph, a.flags);
    if (a.lo >= 0)
        return Bounds(pl, ph, a.flags);
    if (a.hi <= 0)
        return Bounds(ph, pl, a.flags);
    SInterval r = Bounds(0, std::max(pl, ph), a.flags);
    r.lo = 0;
    return r;
}

SInterval Hull(const SInterval &a, const SInterval &b)
{
    if (a.IsEmpty())
        return b;
    if (b.IsEmpty())
        return a;
    return SInterval::Of(std::min(a.lo, b.lo), std::max(a.hi, b.hi), a.flags | b.flags);
}

// A product of bounds where 0 times an unbounded end counts as 0: the sets
// hold finite values, and a pole is flagged by whoever made the infinity.
double Times(double a, double b) { return (a == 0 || b == 0) ? 0.0 : a * b; }

}  // namespace

double Down(double v)
{
    if (std::isinf(v))
        return v > 0 ? DBL_MAX : v;
    return v - (std::fabs(v) * 0x1p-50 + 0x1p-1074);
}

double Up(double v)
{
    if (std::isinf(v))
        return v < 0 ? -DBL_MAX : v;
    return v + (std::fabs(v) * 0x1p-50 + 0x1p-1074);
}

namespace {

// inf - inf and 0 * inf are undefined: where the sets may hold such pairs.
std::uint8_t InfinityClash(bool clash) { return clash ? SInterval::kPartUndefined : 0; }

}  // namespace

SInterval Add(const SInterval &a, const SInterval &b)
{
    if (a.IsEmpty() || b.IsEmpty())
        return SInterval::Empty();
    const bool clash = (a.hi == kInf && b.lo == -kInf) || (a.lo == -kInf && b.hi == kInf);
    return Bounds(a.lo + b.lo, a.hi + b.hi, a.flags | b.flags | InfinityClash(clash));
}

SInterval Sub(const SInterval &a, const SInterval &b)
{
    if (a.IsEmpty() || b.IsEmpty())
        return SInterval::Empty();
    const bool clash = (a.hi == kInf && b.hi == kInf) || (a.lo == -kInf && b.lo == -kInf);
    return Bounds(a.lo - b.hi, a.hi - b.lo, a.flags | b.flags | InfinityClash(clash));
}

SInterval Neg(const SInterval &a) { return a.IsEmpty() ? a : SInterval::Of(-a.hi, -a.lo, a.flags); }

SInterval Mul(const SInterval &a, const SInterval &b)
{
    if (a.IsEmpty() || b.IsEmpty())
        return SInterval::Empty();
    const double p[4] = {Times(a.lo, b.lo), Times(a.lo, b.hi), Times(a.hi, b.lo), Times(a.hi, b.hi)};
    const bool clash = (a.Contains(0) && !b.Bounded()) || (b.Contains(0) && !a.Bounded());
    return Bounds(*std::min_element(p, p + 4), *std::max_element(p, p + 4), a.flags | b.flags | InfinityClash(clash));
}

SInterval Sqr(const SInterval &a)
{
    if (a.IsEmpty())
        return a;
    return PowInteger(a, 2.0);
}

SInterval Div(const SInterval &a, const SInterval &b)
{
    if (a.IsEmpty() || b.IsEmpty())
        return SInterval::Empty();
    std::uint8_t flags = a.flags | b.flags;
    if (b.lo > 0 || b.hi < 0) {
        const double q[4] = {a.lo / b.lo, a.lo / b.hi, a.hi / b.lo, a.hi / b.hi};
        if (std::any_of(q, q + 4, [](double v) { return std::isnan(v); }))
            return SInterval::Whole(flags | SInterval::kPole);  // unbounded over unbounded
        return Bounds(*std::min_element(q, q + 4), *std::max_element(q, q + 4), flags);
    }
    // The divisor may be 0: a pole, and 0/0 where the dividend may be 0 too.
    flags |= SInterval::kPole;
    if (a.lo <= 0 && a.hi >= 0)
        return SInterval::Whole(flags | SInterval::kPartUndefined);
    // One side only where the zero bound has the sign of the set's side
    // (+0 below it, -0 above it): 1/+0 is +inf, 1/-0 is -inf. Zero bounds
    // come only exact from x, -x, abs and even powers; computed ones are
    // widened past 0.
    if (b.lo == 0 && b.hi > 0 && !std::signbit(b.lo))
        return a.lo > 0 ? SInterval::Of(Down(a.lo / b.hi), kInf, flags) : SInterval::Of(-kInf, Up(a.hi / b.hi), flags);
    if (b.hi == 0 && b.lo < 0 && std::signbit(b.hi))
        return a.lo > 0 ? SInterval::Of(-kInf, Up(a.lo / b.lo), flags) : SInterval::Of(Down(a.hi / b.lo), kInf, flags);
    return SInterval::Whole(flags);
}

SInterval Recip(const SInterval &a) { return Div(SInterval::Of(1, 1), a); }

SInterval Pow(const SInterval &a, const SInterval &b)
{
    // pow(v, 0) and pow(1, v) are 1 even for an undefined v.
    if (b.lo == 0 && b.hi == 0)
        return SInterval::Of(1, 1, b.flags);
    if (a.lo == 1 && a.hi == 1)
        return SInterval::Of(1, 1, a.flags);
    // pow(undefined, 0) and pow(1, undefined) are 1 as well.
    if (a.IsEmpty() && !b.IsEmpty() && b.Contains(0))
        return SInterval::Of(1, 1, b.flags | SInterval::kPartUndefined);
    if (b.IsEmpty() && !a.IsEmpty() && a.Contains(1))
        return SInterval::Of(1, 1, a.flags | SInterval::kPartUndefined);
    if (a.IsEmpty() || b.IsEmpty())
        return SInterval::Empty();
    std::uint8_t flags = a.flags | b.flags;
    if (b.lo == b.hi && std::isfinite(b.lo) && std::nearbyint(b.lo) == b.lo)
        return PowInteger(SInterval::Of(a.lo, a.hi, flags), b.lo);
    SInterval r = SInterval::Empty();
    if (a.hi >= 0)
        r = PowPositive(std::max(a.lo, 0.0), a.hi, b, flags);
    if (a.lo < 0) {
        // A negative base has values only at whole exponents: +-|a|^y.
        flags |= SInterval::kPartUndefined;
        r.flags |= SInterval::kPartUndefined;
        if (std::ceil(b.lo) <= std::floor(b.hi)) {
            const SInterval m = PowPositive(std::max(-a.hi, 0.0), -a.lo, b, flags);
            r = Hull(r, Hull(m, Neg(m)));
        }
    }
    return r;
}

SInterval Sin(const SInterval &a, double k) { return Wave(Radians(a, k), kHalfPi, [](double v) { return std::sin(v); }); }
SInterval Cos(const SInterval &a, double k) { return Wave(Radians(a, k), 0.0, [](double v) { return std::cos(v); }); }

// tan and cot: a pole every pi from poleAt; between two poles f is monotone.
template <class Monotone>
SInterval BetweenPoles(const SInterval &a, double k, double poleAt, Monotone monotone)
{
    const SInterval x = Radians(a, k);
    double first, last;
    if (x.IsEmpty())
        return x;
    if (!x.Bounded())
        return SInterval::Whole(x.flags | SInterval::kPole | SInterval::kPartUndefined);
    if (x.hi - x.lo >= kPi || CriticalPoints(x.lo, x.hi, poleAt, first, last))
        return SInterval::Whole(x.flags | SInterval::kPole);
    return monotone(x);
}

SInterval Tan(const SInterval &a, double k)
{
    return BetweenPoles(a, k, kHalfPi, [](const SInterval &x) { return Increasing<std::tan>(x); });
}

SInterval Cot(const SInterval &a, double k)
{
    return BetweenPoles(a, k, 0.0, [](const SInterval &x) { return Decreasing<Cotangent>(x); });
}

SInterval Sec(const SInterval &a, double k) { return Recip(Cos(a, k)); }
SInterval Csc(const SInterval &a, double k) { return Recip(Sin(a, k)); }
SInterval Asin(const SInterval &a, double) { return Increasing<std::asin>(Clip(a, -1, 1)); }
SInterval Acos(const SInterval &a, double) { return Decreasing<std::acos>(Clip(a, -1, 1)); }
SInterval Atan(const SInterval &a, double) { return Increasing<std::atan>(a); }
SInterval Acot(const SInterval &a, double k) { return Atan(Recip(a), k); }
SInterval Acsc(const SInterval &a, double k) { return Asin(Recip(a), k); }
SInterval Asec(const SInterval &a, double k) { return Acos(Recip(a), k); }
SInterval Sinh(const SInterval &a, double) { return Increasing<std::sinh>(a); }

SInterval Cosh(const SInterval &a, double)
{
    if (a.IsEmpty())
        return a;
    if (a.lo >= 0)
        return Increasing<std::cosh>(a);
    if (a.hi <= 0)
        return Decreasing<std::cosh>(a);
    return SInterval::Of(1, Up(std::cosh(std::max(-a.lo, a.hi))), a.flags);
}

SInterval Tanh(const SInterval &a, double) { return Increasing<std::tanh>(a); }
SInterval Coth(const SInterval &a, double k) { return Recip(Tanh(a, k)); }
SInterval Sech(const SInterval &a, double k) { return Recip(Cosh(a, k)); }
SInterval Csch(const SInterval &a, double k) { return Recip(Sinh(a, k)); }
SInterval Asinh(const SInterval &a, double) { return Increasing<std::asinh>(a); }
SInterval Acosh(const SInterval &a, double) { return Increasing<std::acosh>(Clip(a, 1, kInf)); }

SInterval Atanh(const SInterval &a, double)
{
    SInterval c = Clip(a, -1, 1);
    if (!c.IsEmpty() && (c.lo == -1 || c.hi == 1))
        c.flags |= SInterval::kPole;
    return Increasing<std::atanh>(c);
}

SInterval Acoth(const SInterval &a, double k) { return Atanh(Recip(a), k); }
SInterval Asech(const SInterval &a, double k) { return Acosh(Recip(a), k); }
SInterval Acsch(const SInterval &a, double k) { return Asinh(Recip(a), k); }
SInterval Ln(const SInterval &a, double) { return FromZero<Ln1>(a); }
SInterval Log(const SInterval &a, double) { return FromZero<Log10>(a); }
SInterval Sqrt(const SInterval &a, double) { return Increasing<std::sqrt>(Clip(a, 0, kInf)); }

SInterval Abs(const SInterval &a, double)
{
    if (a.IsEmpty() || a.lo >= 0)
        return a;
    if (a.hi <= 0)
        return Neg(a);
    return SInterval::Of(0, std::max(-a.lo, a.hi), a.flags);
}

SInterval Cbrt(const SInterval &a, double) { return Increasing<std::cbrt>(a); }
SInterval Exp(const SInterval &a, double) { return Increasing<std::exp>(a); }

SInterval ApplyBinary(char code, const SInterval &l, const SInterval &r)
{
    switch (code) {
    case '+': return Add(l, r);
    case '-': return Sub(l, r);
    case '*': return Mul(l, r);
    case '/': return Div(l, r);
    case '^': return Pow(l, r);
    default: return SInterval::Of(0, 0);
    }
}

}  // namespace interval

SInterval SInterval::Point(double v)
{
    if (v != v)
        return Empty();
    // An infinite constant is an overflowed one: keep the bounds on their side.
    return Of(v == kInf ? DBL_MAX : v, v == -kInf ? -DBL_MAX : v);
}

SInterval SInterval::Of(double lo, double hi, std::uint8_t flags)
{
    SInterval r;
    r.lo = lo;
    r.hi = hi;
    r.flags = flags;
    return r;
}
