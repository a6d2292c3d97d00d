// A high-precision reference for tests: MPFR numbers at 256 bits, and the
// measure of how far a shown decimal text lies from the true value.
#pragma once

#include <mpfr.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace oracle {

constexpr mpfr_prec_t kBits = 256;

class Big {
public:
    Big() { mpfr_init2(m_v, kBits); mpfr_set_zero(m_v, 1); }
    Big(double d) { mpfr_init2(m_v, kBits); mpfr_set_d(m_v, d, MPFR_RNDN); }  // NOLINT: implicit on purpose
    Big(long n) { mpfr_init2(m_v, kBits); mpfr_set_si(m_v, n, MPFR_RNDN); }    // NOLINT
    Big(int n) : Big(static_cast<long>(n)) {}                                   // NOLINT
    // Decimal text read exactly to 256 bits ("0.1" is one tenth, not the double).
    static Big Text(const std::string &s)
    {
        Big b;
        mpfr_set_str(b.m_v, s.c_str(), 10, MPFR_RNDN);
        return b;
    }
    Big(const Big &o) { mpfr_init2(m_v, kBits); mpfr_set(m_v, o.m_v, MPFR_RNDN); }
    Big &operator=(const Big &o) { mpfr_set(m_v, o.m_v, MPFR_RNDN); return *this; }
    ~Big() { mpfr_clear(m_v); }

    mpfr_ptr get() { return m_v; }
    mpfr_srcptr get() const { return m_v; }
    double d() const { return mpfr_get_d(m_v, MPFR_RNDN); }
    bool isnan() const { return mpfr_nan_p(m_v) != 0; }
    bool isinf() const { return mpfr_inf_p(m_v) != 0; }
    bool iszero() const { return mpfr_zero_p(m_v) != 0; }
    int sign() const { return mpfr_sgn(m_v); }

    static Big Pi() { Big b; mpfr_const_pi(b.m_v, MPFR_RNDN); return b; }
    static Big E() { Big b; mpfr_set_ui(b.m_v, 1, MPFR_RNDN); mpfr_exp(b.m_v, b.m_v, MPFR_RNDN); return b; }

    // Applies one of MPFR's functions of one argument: oracle::Apply(mpfr_sin, x).
    template <class F> friend Big Apply(F f, const Big &a)
    {
        Big r;
        f(r.m_v, a.m_v, MPFR_RNDN);
        return r;
    }

    friend Big operator+(const Big &a, const Big &b) { Big r; mpfr_add(r.m_v, a.m_v, b.m_v, MPFR_RNDN); return r; }
    friend Big operator-(const Big &a, const Big &b) { Big r; mpfr_sub(r.m_v, a.m_v, b.m_v, MPFR_RNDN); return r; }
    friend Big operator*(const Big &a, const Big &b) { Big r; mpfr_mul(r.m_v, a.m_v, b.m_v, MPFR_RNDN); return r; }
    friend Big operator/(const Big &a, const Big &b) { Big r; mpfr_div(r.m_v, a.m_v, b.m_v, MPFR_RNDN); return r; }
    friend Big operator-(const Big &a) { Big r; mpfr_neg(r.m_v, a.m_v, MPFR_RNDN); return r; }
    friend bool operator<(const Big &a, const Big &b) { return mpfr_less_p(a.m_v, b.m_v) != 0; }
    friend bool operator>(const Big &a, const Big &b) { return mpfr_greater_p(a.m_v, b.m_v) != 0; }
    friend bool operator<=(const Big &a, const Big &b) { return mpfr_lessequal_p(a.m_v, b.m_v) != 0; }
    friend bool operator==(const Big &a, const Big &b) { return mpfr_equal_p(a.m_v, b.m_v) != 0; }
    friend Big Abs(const Big &a) { Big r; mpfr_abs(r.m_v, a.m_v, MPFR_RNDN); return r; }
    friend Big Pow(const Big &a, const Big &b) { Big r; mpfr_pow(r.m_v, a.m_v, b.m_v, MPFR_RNDN); return r; }

    std::string str(int digits = 20) const
    {
        char buf[128];
        mpfr_snprintf(buf, sizeof buf, "%.*Rg", digits, m_v);
        return buf;
    }

private:
    mpfr_t m_v;
};

using Exact = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);

// The inverse functions MPFR lacks (acot, asec, acoth, ...), as the function
// of 1/x at 256 bits.
template <Exact F>
int OfReciprocal(mpfr_ptr r, mpfr_srcptr a, mpfr_rnd_t rnd)
{
    mpfr_t inverse;
    mpfr_init2(inverse, kBits);
    mpfr_ui_div(inverse, 1, a, rnd);
    const int t = F(r, inverse, rnd);
    mpfr_clear(inverse);
    return t;
}

// The unit of the last digit a decimal text shows: "1.250" -> 0.001,
// "-3.2e-05" -> 1e-06, "1200" -> 1. Empty or unreadable text gives NaN.
inline double LastPlace(const std::string &text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '+' || text[i] == '-'))
        ++i;
    int decimals = 0;
    bool point = false, digit = false;
    for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.')
            point = true;
        else if (text[i] >= '0' && text[i] <= '9') {
            digit = true;
            if (point)
                ++decimals;
        } else
            break;
    }
    if (!digit)
        return std::nan("");
    const int exponent = i < text.size() && (text[i] == 'e' || text[i] == 'E') ? std::atoi(text.c_str() + i + 1) : 0;
    return std::pow(10.0, exponent - decimals);
}

// How far the shown text lies from the true value, in units of its last
// digit. A text whose every digit is right (correctly rounded) gives at
// most 0.5; a faithful last digit at most 1.
inline double ShownError(const std::string &text, const Big &exact)
{
    const Big shown = Big::Text(text);
    const double unit = LastPlace(text);
    if (shown.isnan() || std::isnan(unit))
        return HUGE_VAL;
    return (Abs(shown - exact) / Big(unit)).d();
}

}  // namespace oracle
