#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

// x^3 and x^4 correctly rounded, like x*x for x^2: pow may be half an ulp
// off and a chain of products rounds at every step. The exact power is a
// sum of doubles from error-free products (fma); its rounding is decided
// here in a few operations, and only a value that lies within 2^-20 ulp of
// a halfway point (or far outside [2^-800, 2^1000]) takes the exact slow
// path. The two evaluators inline these, so single and bulk values agree.
// Compile callers with -ffp-contract=off: a fused a*b+c would change them.

namespace power_detail {

// The rounding h of a value h + d (|d| within about half an ulp of h) is
// the nearest double when d stays clear of the half gap; h must also lie
// where every error term of the products was exact.
inline bool ClearlyNearest(double h, double d)
{
    const double top = std::bit_cast<double>(std::bit_cast<std::uint64_t>(h) & 0x7FF0000000000000u);
    // Below a power of two the gap is half as wide: take the narrower one.
    const double half = (std::fabs(h) == top ? 0x1p-54 : 0x1p-53) * top;
    return top >= 0x1p-800 && top <= 0x1p1000 && std::fabs(d) < half * (1.0 - 0x1p-20);
}

}  // namespace power_detail

// The correctly rounded x^n, decided exactly, for n = 3 or 4.
[[gnu::cold, gnu::noinline]] double ExactSmallPower(double x, int n);

inline double Cube(double x)
{
    const double p = x * x;
    const double pe = std::fma(x, x, -p);  // x^2 = p + pe
    const double q = p * x;
    const double qe = std::fma(p, x, -q);  // p*x = q + qe
    const double s = qe + pe * x;          // x^3 - q, up to 2^-50 ulp
    const double h = q + s;
    if (power_detail::ClearlyNearest(h, (q - h) + s))
        return h;
    return ExactSmallPower(x, 3);
}

inline double Fourth(double x)
{
    const double p = x * x;
    const double pe = std::fma(x, x, -p);  // x^4 = p^2 + 2 p pe + pe^2
    const double a = p * p;
    const double ae = std::fma(p, p, -a);
    const double s = ae + (p + p) * pe;  // x^4 - a, up to 2^-50 ulp
    const double h = a + s;
    if (power_detail::ClearlyNearest(h, (a - h) + s))
        return h;
    return ExactSmallPower(x, 4);
}

// l^r, the value of every '^': exact for r = 2, 3, 4, the maths library
// otherwise. A negative base has no real power of a fractional exponent;
// pow says so for finite bases only and gives -inf^0.5 = inf.
inline double Power(double l, double r)
{
    if (r == 2.0)
        return l * l;
    if (r == 3.0)
        return Cube(l);
    if (r == 4.0)
        return Fourth(l);
    if (l == -HUGE_VAL && std::isfinite(r) && r != std::trunc(r))
        return NAN;
    return std::pow(l, r);
}
