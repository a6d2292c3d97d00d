#pragma once

#include <cstdint>
#include <limits>

// A closed set of reals that surely contains every value an operation takes
// over its argument sets, with what else may happen there. Bounds are rounded
// outward, so the true values (not only the double results) lie inside.
//
// The bounds enclose the values where the operation is defined; ±inf stands
// for a value that may grow without bound (a pole). An empty interval (both
// bounds NaN) means undefined everywhere. Invariants: lo <= hi, lo < +inf,
// hi > -inf.
struct SInterval
{
    enum : std::uint8_t {
        kPartUndefined = 1,  // undefined (NaN) somewhere inside
        kPole = 2,           // may hold a pole or a jump: not proved continuous; an
                             // infinite value there may have either sign
    };

    double lo = std::numeric_limits<double>::quiet_NaN();
    double hi = std::numeric_limits<double>::quiet_NaN();
    std::uint8_t flags = 0;

    static SInterval Point(double v);  // a double; NaN gives the empty set
    static SInterval Of(double lo, double hi, std::uint8_t flags = 0);  // no widening
    static SInterval Empty() { return {}; }
    static SInterval Whole(std::uint8_t flags) { return Of(-kInf, kInf, flags); }

    bool IsEmpty() const { return lo != lo; }
    bool Bounded() const { return lo > -kInf && hi < kInf; }
    // Defined everywhere and proved continuous.
    bool Clean() const { return flags == 0 && !IsEmpty(); }
    bool Contains(double v) const { return v >= lo && v <= hi; }

    static constexpr double kInf = std::numeric_limits<double>::infinity();
};

// The operations of the evaluators on sets. The one-argument functions take
// the degree factor like their point forms (see Operations.h).
namespace interval {

// Next double below / above v, a little further for the library functions
// (which may be off by a few ulps): bounds are widened by this.
double Down(double v);
double Up(double v);

SInterval Add(const SInterval &a, const SInterval &b);
SInterval Sub(const SInterval &a, const SInterval &b);
SInterval Mul(const SInterval &a, const SInterval &b);
SInterval Div(const SInterval &a, const SInterval &b);
SInterval Pow(const SInterval &a, const SInterval &b);
SInterval Neg(const SInterval &a);
SInterval Sqr(const SInterval &a);
SInterval Recip(const SInterval &a);

SInterval Sin(const SInterval &a, double k);
SInterval Cos(const SInterval &a, double k);
SInterval Tan(const SInterval &a, double k);
SInterval Cot(const SInterval &a, double k);
SInterval Sec(const SInterval &a, double k);
SInterval Csc(const SInterval &a, double k);
SInterval Asin(const SInterval &a, double k);
SInterval Acos(const SInterval &a, double k);
SInterval Atan(const SInterval &a, double k);
SInterval Acot(const SInterval &a, double k);
SInterval Acsc(const SInterval &a, double k);
SInterval Asec(const SInterval &a, double k);
SInterval Sinh(const SInterval &a, double k);
SInterval Cosh(const SInterval &a, double k);
SInterval Tanh(const SInterval &a, double k);
SInterval Coth(const SInterval &a, double k);
SInterval Sech(const SInterval &a, double k);
SInterval Csch(const SInterval &a, double k);
SInterval Asinh(const SInterval &a, double k);
SInterval Acosh(const SInterval &a, double k);
SInterval Atanh(const SInterval &a, double k);
SInterval Acoth(const SInterval &a, double k);
SInterval Asech(const SInterval &a, double k);
SInterval Acsch(const SInterval &a, double k);
SInterval Ln(const SInterval &a, double k);
SInterval Log(const SInterval &a, double k);
SInterval Sqrt(const SInterval &a, double k);
SInterval Abs(const SInterval &a, double k);
SInterval Cbrt(const SInterval &a, double k);
SInterval Exp(const SInterval &a, double k);

// The binary operator `code` ('+', '-', '*', '/', '^'); {0} for any other.
SInterval ApplyBinary(char code, const SInterval &l, const SInterval &r);

}  // namespace interval
