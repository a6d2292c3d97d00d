#include "core/expr/IntegerPower.h"

#include <cstring>

namespace {

void TwoSum(double a, double b, double &s, double &e)
{
    s = a + b;
    const double bb = s - a;
    e = (a - (s - bb)) + (b - bb);
}

// Sign of the exact sum of the n terms: they are gathered into a
// non-overlapping expansion (each step keeps its rounding error), whose
// largest nonzero part has the sign of the whole.
int SignOfSum(const double *terms, int n)
{
    double e[16];
    int m = 0;
    for (int j = 0; j < n; ++j) {
        double q = terms[j];
        int k = 0;
        for (int i = 0; i < m; ++i) {
            double s, err;
            TwoSum(q, e[i], s, err);
            if (err != 0.0)
                e[k++] = err;
            q = s;
        }
        e[k++] = q;
        m = k;
    }
    for (int i = m - 1; i >= 0; --i)
        if (e[i] != 0.0)
            return e[i] > 0.0 ? 1 : -1;
    return 0;
}

bool IsEven(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return (bits & 1u) == 0;
}

}  // namespace

double ExactSmallPower(double x, int n)
{
    const double a = std::fabs(x);
    // Zero, infinity and NaN: the plain product has the right value and sign.
    if (a == 0.0 || !std::isfinite(a))
        return n == 3 ? x * x * x : (x * x) * (x * x);
    // a = m 2^E with m in [0.5, 1): m^n and all its error terms are normal.
    int exponent = 0;
    const double m = std::frexp(a, &exponent);
    const int scale = n * exponent;  // |x|^n = m^n 2^scale
    if (scale - n >= 1024)
        return std::copysign(HUGE_VAL, n == 3 ? x : 1.0);
    if (scale <= -1075)  // below half the smallest subnormal
        return std::copysign(0.0, n == 3 ? x : 1.0);

    // m^n exactly as the sum of t[0..count).
    double t[8];
    int count = 0;
    const double p = m * m;
    const double pe = std::fma(m, m, -p);
    if (n == 3) {
        const double q = p * m, r = pe * m;
        t[0] = q;
        t[1] = std::fma(p, m, -q);
        t[2] = r;
        t[3] = std::fma(pe, m, -r);
        count = 4;
    } else {
        const double q = p * p, r = (p + p) * pe, c = pe * pe;
        t[0] = q;
        t[1] = std::fma(p, p, -q);
        t[2] = r;
        t[3] = std::fma(p + p, pe, -r);
        t[4] = c;
        t[5] = std::fma(pe, pe, -c);
        count = 6;
    }
    double approx = 0.0;
    for (int i = count - 1; i >= 0; --i)
        approx += t[i];

    // The nearest double to approx at the result's own precision (subnormal
    // or not), then its neighbours, all brought back to the scale of m^n.
    const double nearest = std::ldexp(approx, scale);
    double r = nearest;
    const double up = std::isinf(r) ? r : std::nextafter(r, HUGE_VAL);
    const double down = r > 0.0 ? std::nextafter(r, 0.0) : -1.0;
    // The value beyond the largest double counts as 2^1024 when rounding.
    const auto scaled = [scale](double v) {
        return std::isinf(v) ? std::ldexp(1.0, 1024 - scale) : std::ldexp(v, -scale);
    };
    const double rs = scaled(r);
    const auto side = [&](double neighbour) {  // sign of m^n - (r + neighbour) / 2
        t[count] = -0.5 * rs;
        t[count + 1] = -0.5 * scaled(neighbour);
        return SignOfSum(t, count + 2);
    };
    if (!std::isinf(r)) {
        const int above = side(up);
        if (above > 0 || (above == 0 && !IsEven(r)))
            r = up;
    }
    if (r == nearest && down >= 0.0) {
        const int below = side(down);
        if (below < 0 || (below == 0 && !IsEven(r)))
            r = down;
    }
    return n == 3 ? std::copysign(r, x) : r;
}
