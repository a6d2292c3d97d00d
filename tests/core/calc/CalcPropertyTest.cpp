// The calculator against exact arithmetic: MPFR for its functions, GMP for
// nCr, nPr and the digits of other bases, and the reasons it gives instead
// of infinities and NaN.
#include "core/calc/BaseNumber.h"
#include "core/expr/ShownNumber.h"
#include "core/calc/CalcEvaluator.h"
#include "core/calc/CalcText.h"
#include "core/expr/Angle.h"
#include "oracle/Mpfr.h"

#include <gmpxx.h>
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using oracle::Big;

std::string G17(double d)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", d);
    return buf;
}

// The double nearest the exact integer (MPFR rounds once).
double Nearest(const mpz_class &z)
{
    mpfr_t f;
    mpfr_init2(f, 53);
    mpfr_set_z(f, z.get_mpz_t(), MPFR_RNDN);
    const double d = mpfr_get_d(f, MPFR_RNDN);
    mpfr_clear(f);
    return d;
}

double Nearest(const mpq_class &q)
{
    mpfr_t f;
    mpfr_init2(f, 53);
    mpfr_set_q(f, q.get_mpq_t(), MPFR_RNDN);
    const double d = mpfr_get_d(f, MPFR_RNDN);
    mpfr_clear(f);
    return d;
}

TEST(CalcDomain, NumericalTroubleIsRefusedWithItsReason)
{
    const char *kOver = "Overflow: the result is above 1.8e308";
    const struct { const char *text; const char *reason; } cases[] = {
        {"1/0", "Division by zero"}, {"0/0", "Division by zero"}, {"1+1/(2-2)", "Division by zero"},
        {"sqrt(-1)", "Outside the function's domain: sqrt of a negative number"},
        {"ln 0", "Outside the function's domain: ln of 0"}, {"log(-2)", "Outside the function's domain: log of a negative number"},
        {"171!", kOver}, {"1e400", kOver}, {"1E300*1E300", kOver}, {"1/(1E300*1E300)", kOver}, {"-1E300*1E300", "Overflow: the result is below -1.8e308"},
        {"1E300npr1E300", kOver}, {"2000ncr1000", kOver}, {"coth 0", "Division by zero"}, {"0^-1", "Division by zero"},
        {"asin 2", "Outside the function's domain: asin needs a value from -1 to 1"},
        {"asec 0.5", "Outside the function's domain: asec needs a value of at least 1 in size"},
        {"acosh 0.5", "Outside the function's domain: acosh needs a value of at least 1"},
        {"atanh 1", "Outside the function's domain: atanh needs a value between -1 and 1"},
        {"asech 0", "Outside the function's domain: asech needs a value above 0 and at most 1"},
        {"acoth 1", "Outside the function's domain: acoth needs a value above 1 in size"},
        {"(0-8)^(1/3)", "Outside the function's domain: a negative number to a fractional power"},
        {"exp 1000", kOver}, {"sinh 1000", kOver},
    };
    for (const auto &c : cases) {
        const SCalcResult r = EvaluateCalcText(c.text, false, -1);
        EXPECT_EQ(RefusalText(r), c.reason) << c.text;
        EXPECT_TRUE(std::isnan(r.dValue)) << c.text;
    }
}

// Where the text of 1-0.9 had 16 digits, 15 are shown, and all of them right.
TEST(CalcShown, FifteenDigitsEachRight)
{
    const struct { const char *text; bool radian; const char *shown; } cases[] = {
        {"1-0.9", false, "0.1  "}, {"tan(pi/4)", true, "1. "}, {"sin(pi)", true, "0. "}, {"0.1+0.2", false, "0.3  "},
        {"asech(0.999999)", false, "0.00141421415164946  "}, {"acoth(1.000001)", false, "7.25432911930318  "},
    };
    for (const auto &c : cases) {
        const SCalcResult r = EvaluateCalcText(c.text, c.radian, -1);
        ASSERT_TRUE(r.Ok()) << c.text << r.strReason;
        EXPECT_EQ(EqualsText(r.dValue, 10), c.shown) << c.text;
    }
    // A typed approximation of pi is no multiple of pi: its sine is not 0.
    EXPECT_EQ(ShownField(EvaluateCalcText("sin(3.14159265358979)", true, -1).dValue), "3.23108914886517e-15");
    // Angl => Rect is exact at the quarter turns.
    EXPECT_EQ(PolarToRectTexts(2, 90).first, "0");
    EXPECT_EQ(PolarToRectTexts(2, 90).second, "2");
    EXPECT_EQ(PolarToRectTexts(1, 30).second, "0.5");
    EXPECT_EQ(SinDegrees(-180), 0.0);
}

struct SFunction
{
    const char *name;
    int (*exact)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
    bool angleIn, angleOut;
    double lo, hi;  // the domain (an interval; for the reciprocal ones |x| >= lo)
    bool outside;   // |x| >= lo instead of lo <= x <= hi
};

int Asec(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t m) { Big t; mpfr_ui_div(t.get(), 1, x, m); return mpfr_acos(r, t.get(), m); }
int Acsc(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t m) { Big t; mpfr_ui_div(t.get(), 1, x, m); return mpfr_asin(r, t.get(), m); }
int Acot(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t m) { Big t; mpfr_ui_div(t.get(), 1, x, m); return mpfr_atan(r, t.get(), m); }
int Asech(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t m) { Big t; mpfr_ui_div(t.get(), 1, x, m); return mpfr_acosh(r, t.get(), m); }
int Acsch(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t m) { Big t; mpfr_ui_div(t.get(), 1, x, m); return mpfr_asinh(r, t.get(), m); }
int Acoth(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t m) { Big t; mpfr_ui_div(t.get(), 1, x, m); return mpfr_atanh(r, t.get(), m); }
int Log10(mpfr_ptr r, mpfr_srcptr x, mpfr_rnd_t m) { return mpfr_log10(r, x, m); }

const SFunction kFunctions[] = {
    {"sin", mpfr_sin, true, false, -1e6, 1e6, false}, {"cos", mpfr_cos, true, false, -1e6, 1e6, false},
    {"tan", mpfr_tan, true, false, -1e3, 1e3, false}, {"sec", mpfr_sec, true, false, -1e3, 1e3, false},
    {"csc", mpfr_csc, true, false, -1e3, 1e3, false}, {"cot", mpfr_cot, true, false, -1e3, 1e3, false},
    {"asin", mpfr_asin, false, true, -1, 1, false}, {"acos", mpfr_acos, false, true, -1, 1, false},
    {"atan", mpfr_atan, false, true, -1e9, 1e9, false}, {"asec", Asec, false, true, 1, 1e9, true},
    {"acsc", Acsc, false, true, 1, 1e9, true}, {"acot", Acot, false, true, -1e9, 1e9, false},
    {"sinh", mpfr_sinh, false, false, -700, 700, false}, {"cosh", mpfr_cosh, false, false, -700, 700, false},
    {"tanh", mpfr_tanh, false, false, -30, 30, false}, {"coth", mpfr_coth, false, false, -30, 30, false},
    {"sech", mpfr_sech, false, false, -700, 700, false}, {"csch", mpfr_csch, false, false, -700, 700, false},
    {"asinh", mpfr_asinh, false, false, -1e9, 1e9, false}, {"acosh", mpfr_acosh, false, false, 1, 1e9, false},
    {"atanh", mpfr_atanh, false, false, -1, 1, false}, {"asech", Asech, false, false, 0, 1, false},
    {"acsch", Acsch, false, false, 1e-9, 1e9, true}, {"acoth", Acoth, false, false, 1, 1e9, true},
    {"ln", mpfr_log, false, false, 0, 1e300, false}, {"log", Log10, false, false, 0, 1e300, false},
};

// A point of the domain: anywhere in it, or a few ulps to a millionth from an edge.
double PointIn(const SFunction &f)
{
    const double lo = f.lo, hi = f.hi;
    const int kind = *rc::gen::inRange(0, 3);
    double x = 0;
    if (kind == 0) {
        x = lo + (hi - lo) * (*rc::gen::inRange(0, 1000001)) / 1e6;
    } else {
        const double edge = kind == 1 ? lo : hi;
        const double step = std::ldexp(1.0, -*rc::gen::inRange(1, 52)) * (*rc::gen::inRange(1, 8));
        x = edge + (kind == 1 ? 1 : -1) * step * std::max(1.0, std::fabs(edge));
        x = std::min(std::max(x, lo), hi);
    }
    if (f.outside && *rc::gen::arbitrary<bool>())
        x = -x;
    return x;
}

// Every shown digit right, in both angle modes, over each whole domain.
RC_GTEST_PROP(CalcProperty, EveryShownDigitIsRight, ())
{
    const SFunction &f = *rc::gen::elementOf(std::vector<SFunction>(std::begin(kFunctions), std::end(kFunctions)));
    const bool radian = *rc::gen::arbitrary<bool>();
    double x = PointIn(f);
    if (f.angleIn && !radian)
        x = std::nearbyint(x * 1e3) / 1e3;  // degrees as typed
    const std::string text = std::string(f.name) + "(" + G17(x) + ")";
    const SCalcResult r = EvaluateCalcText(text, radian, -1);
    Big arg(x);
    if (f.angleIn && !radian)
        arg = arg * Big::Pi() / Big(180);
    Big exact = Apply(f.exact, arg);
    if (f.angleOut && !radian)
        exact = exact * Big(180) / Big::Pi();
    if (!r.Ok()) {
        // Refused only where the value is none or beyond the doubles.
        RC_ASSERT(exact.isnan() || exact.isinf() || std::fabs(exact.d()) > DBL_MAX || x == 0 ||
                  r.strReason.find("undefined") != std::string::npos);
        return;
    }
    const std::string shown = ShownField(r.dValue);
    if (exact.iszero() || std::fabs(exact.d()) < 1e-300) {
        RC_ASSERT(std::fabs(r.dValue) < 1e-290);
        return;
    }
    const double err = oracle::ShownError(shown, exact);
    // The double is within an ulp of the exact value and the text is that
    // double rounded: every digit right, the last one within half a unit
    // plus the ulp (at most 0.72 of a unit, never a wrong digit before it).
    const double ulp = std::nextafter(std::fabs(r.dValue), HUGE_VAL) - std::fabs(r.dValue);
    const double bound = 0.5 + ulp / oracle::LastPlace(shown);
    RC_LOG() << text << (radian ? " rad" : " deg") << " shows " << shown << " exact " << exact.str(20) << " err " << err;
    RC_ASSERT(err <= bound);
}

// nCr and nPr against exact big integers, correctly rounded.
RC_GTEST_PROP(CalcProperty, CombinationsAndPermutationsAreExact, ())
{
    const unsigned long n = *rc::gen::inRange(0, 1500);
    const unsigned long r = *rc::gen::inRange(0UL, n + 3);
    mpz_class c = 0, p = 0;
    if (r <= n) {
        mpz_bin_uiui(c.get_mpz_t(), n, r);
        mpz_class a, b;
        mpz_fac_ui(a.get_mpz_t(), n);
        mpz_fac_ui(b.get_mpz_t(), n - r);
        p = a / b;
    }
    const double dc = CCalcEvaluator::Combinations(static_cast<double>(n), static_cast<double>(r));
    const double dp = CCalcEvaluator::Permutations(static_cast<double>(n), static_cast<double>(r));
    RC_ASSERT(dc == Nearest(c));
    RC_ASSERT(dp == Nearest(p));
}

// Huge n: exact in the double's own integer.
RC_GTEST_PROP(CalcProperty, CombinationsOfHugeNumbers, ())
{
    const double n = std::ldexp(static_cast<double>(*rc::gen::inRange<long>(1L << 52, 1L << 53)), *rc::gen::inRange(0, 940));
    const unsigned long r = *rc::gen::inRange(0, 4);
    mpz_class z;
    mpz_set_d(z.get_mpz_t(), n);
    mpz_class c;
    mpz_bin_ui(c.get_mpz_t(), z.get_mpz_t(), r);
    RC_ASSERT(CCalcEvaluator::Combinations(n, static_cast<double>(r)) == Nearest(c));
}

// A text of digits in a base as an exact fraction.
mpq_class Exact(const std::string &digits, int base)
{
    std::string s = digits;
    int sign = 1;
    if (!s.empty() && s[0] == '-') {
        sign = -1;
        s.erase(0, 1);
    }
    mpz_class scale = 1;
    const std::size_t mark = s.find("*10^");
    long power = 0;
    if (mark != std::string::npos) {
        std::string e = s.substr(mark + 4);
        const bool neg = e[0] == '-';
        power = mpz_class(neg ? e.substr(1) : e, base).get_si() * (neg ? -1 : 1);
        s = s.substr(0, mark);
    }
    const std::size_t point = s.find('.');
    std::string whole = s;
    if (point != std::string::npos) {
        whole = s.substr(0, point) + s.substr(point + 1);
        mpz_ui_pow_ui(scale.get_mpz_t(), static_cast<unsigned long>(base), s.size() - point - 1);
    }
    mpq_class q(mpz_class(whole, base), scale);
    mpz_class b;
    mpz_ui_pow_ui(b.get_mpz_t(), static_cast<unsigned long>(base), static_cast<unsigned long>(std::labs(power)));
    if (power >= 0)
        q *= b;
    else
        q /= b;
    q.canonicalize();
    return sign * q;
}

// Digits in a base: the double's own in a power of two, else as many as a
// double holds, each right; they read back to the same double where that
// many digits determine it.
RC_GTEST_PROP(CalcProperty, BaseDigitsAreTheDoublesOwn, ())
{
    const int base = *rc::gen::inRange(2, 37);
    const double v = std::ldexp(static_cast<double>(*rc::gen::inRange<long>(-(1L << 53), 1L << 53)), *rc::gen::inRange(-1100, 60));
    CBaseNumber number;
    RC_ASSERT(number.FromDecimal(v, base));
    const std::string &s = number.m_strOutput;
    RC_LOG() << v << " in base " << base << ": " << s;
    const mpq_class shown = Exact(s, base), exact(v);
    const bool bPowerOfTwo = (base & (base - 1)) == 0;
    if (bPowerOfTwo) {
        RC_ASSERT(shown == exact);
    } else {
        // Within half a unit of the last digit shown.
        const std::string mantissa = s.substr(0, s.find("*10^"));
        const std::size_t point = mantissa.find('.');
        const long decimals = point == std::string::npos ? 0 : static_cast<long>(mantissa.size() - point - 1);
        mpq_class unit = Exact("1*10^-" + mpz_class(decimals).get_str(base), base);
        if (s.find("*10^") != std::string::npos)
            unit *= Exact("1" + s.substr(s.find("*10^")), base);
        mpq_class diff = shown - exact;
        if (diff < 0)
            diff = -diff;
        RC_ASSERT(diff * 2 <= unit);
        RC_ASSERT(s.size() - (s[0] == '-') <= 1100u);
    }
    // The digits read back as the double nearest to them.
    if (s.find("*10^") == std::string::npos) {
        number.m_strInput = s;
        RC_ASSERT(number.ToDecimal(base) == Nearest(shown));
        RC_ASSERT(EvaluateCalcText(s, false, base == 10 ? -1 : base).dValue == Nearest(shown));
    } else {
        RC_ASSERT(DisplayValue(s, base) != 0.0);
    }
}

// Digits typed in any base read as the double nearest their exact value.
RC_GTEST_PROP(CalcProperty, DigitsReadCorrectlyRounded, ())
{
    const int base = *rc::gen::inRange(2, 37);
    const auto whole = *rc::gen::container<std::string>(*rc::gen::inRange(1, 30), rc::gen::elementOf(std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ").substr(0, static_cast<std::size_t>(base))));
    const auto fraction = *rc::gen::container<std::string>(*rc::gen::inRange(0, 40), rc::gen::elementOf(std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ").substr(0, static_cast<std::size_t>(base))));
    const std::string s = fraction.empty() ? whole : whole + "." + fraction;
    CBaseNumber number;
    number.m_strInput = s;
    RC_ASSERT(number.ToDecimal(base) == Nearest(Exact(s, base)));
}

TEST(BaseNumber, ExactReadingAndTheBaseWhereEIsADigit)
{
    CBaseNumber n;
    n.m_strInput = "0.1";
    EXPECT_EQ(n.ToDecimal(3), 1.0 / 3);
    n.m_strInput = "E";
    EXPECT_EQ(n.ToDecimal(15), 14);
    EXPECT_TRUE(std::isnan(n.ToDecimal(14)));
    EXPECT_EQ(CBaseNumber::SignificantDigits(10), 15);
    EXPECT_EQ(CBaseNumber::SignificantDigits(3), 33);
    EXPECT_EQ(CBaseNumber::SignificantDigits(2), 53);
    // The base fields take whole numbers only.
    EXPECT_EQ(BaseFieldValue("16.9"), 0);
    EXPECT_EQ(BaseFieldValue("2.5"), 0);
    EXPECT_EQ(BaseFieldValue(" 16 "), 16);
    EXPECT_EQ(BaseFieldValue("15"), 15);
    EXPECT_EQ(BaseFieldValue("1e1"), 0);
}

TEST(CalcText, InsertedValuesAreOperandsAndMemoryKeepsItsBase)
{
    EXPECT_EQ(InsertValue("2", "1.414"), "2(1.414)");
    EXPECT_EQ(InsertValue("2+", "1.414"), "2+1.414");
    EXPECT_EQ(InsertValue("", "1.5"), "1.5");
    EXPECT_EQ(InsertValue("2*", "-3"), "2*(-3)");
    EXPECT_EQ(InsertValue("(1.5)", "2.5"), "(1.5)(2.5)");
    EXPECT_EQ(EvaluateCalcText(InsertValue(InsertValue("", "1.5"), "2"), false, -1).dValue, 3);
    EXPECT_EQ(MemoryText("1010.1  ", false, 2), "1010.1 (base 2)");
    EXPECT_EQ(MemoryText("4. ", true, 10), "4");
    EXPECT_EQ(RecallText("1010.1 (base 2)", -1), "10.5");
    EXPECT_EQ(RecallText("1010.1 (base 2)", 2), "1010.1");
    EXPECT_EQ(RecallText("1010.1 (base 2)", 16), "A.8");
    EXPECT_EQ(RecallText("1.5e-07", -1), "1.5*10^-07");
    EXPECT_EQ(DisplayValue("1010.1  ", 2), 10.5);
    EXPECT_EQ(ConvertDms("1010.1  ", 2), "10\xC2\xB0 30' 0.00\"  ");
    EXPECT_EQ(PowerText(9, 2), "1001. ");  // x^2 of 3, in base 2
}

}  // namespace
