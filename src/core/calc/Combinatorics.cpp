#include "core/calc/CalcEvaluator.h"

#include "core/calc/BaseNumber.h"
#include "core/expr/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include <gmpxx.h>

// The calculator's factorials, permutations and combinations: exact
// integers, rounded once to the double shown.

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// n (a whole double, possibly far above 2^53) as an exact integer.
mpz_class WholeNumber(double n)
{
    mpz_class z;
    mpz_set_d(z.get_mpz_t(), n);
    return z;
}

// Exact n! (n <= 170) in base-1e9 limbs, then rounded once when read.
double ExactFactorial(int n)
{
    std::vector<std::uint32_t> limbs{1};
    for (std::uint64_t k = 2; k <= static_cast<std::uint64_t>(n); ++k) {
        std::uint64_t carry = 0;
        for (std::uint32_t &limb : limbs) {
            const std::uint64_t t = limb * k + carry;
            limb = static_cast<std::uint32_t>(t % 1000000000u);
            carry = t / 1000000000u;
        }
        if (carry)
            limbs.push_back(static_cast<std::uint32_t>(carry));
    }
    std::string digits = std::to_string(limbs.back());
    for (std::size_t i = limbs.size() - 1; i-- > 0;) {
        char buf[16];
        std::snprintf(buf, sizeof buf, "%09u", static_cast<unsigned>(limbs[i]));
        digits += buf;
    }
    double d = 0.0;
    ReadDecimal(digits.data(), digits.data() + digits.size(), d);
    return d;
}

}  // namespace

double CCalcEvaluator::Factorial(double n)
{
    if (std::isnan(n) || n < 0 || n != std::trunc(n))
        return kNaN;
    if (n > 170)
        return std::numeric_limits<double>::infinity();
    return ExactFactorial(static_cast<int>(n));
}

namespace {

bool WholeFromZero(double d) { return !std::isnan(d) && d >= 0 && d == std::trunc(d) && std::isfinite(d); }

}  // namespace

// n (n-1) ... (n-r+1) exactly. At least (n-r+1)^r, so a product that
// cannot fit a double is known before it is worked out, and the one that
// is worked out has at most 170 factors.
double CCalcEvaluator::Permutations(double n, double r)
{
    if (!WholeFromZero(n) || !WholeFromZero(r))
        return kNaN;
    if (r > n)
        return 0.0;
    if (r == 0)
        return 1.0;
    if (r > 170 || r * std::log2(n - r + 1) > 1025)
        return std::numeric_limits<double>::infinity();
    const mpz_class top = WholeNumber(n);
    mpz_class p = 1;
    for (long k = 0; k < static_cast<long>(r); ++k)
        p *= top - k;
    return RoundToDouble(p, 1);
}

// n! / (r! (n-r)!) exactly, with the smaller of r and n - r. C(n, k) is at
// least (n/k)^k >= 2^k, so k stays small for any result a double holds.
double CCalcEvaluator::Combinations(double n, double r)
{
    if (!WholeFromZero(n) || !WholeFromZero(r))
        return kNaN;
    if (r > n)
        return 0.0;
    const double k = std::min(r, n - r);
    if (k == 0)
        return 1.0;
    if (k > 1100 || k * std::log2(n / k) > 1030)
        return std::numeric_limits<double>::infinity();
    mpz_class c;
    mpz_bin_ui(c.get_mpz_t(), WholeNumber(n).get_mpz_t(), static_cast<unsigned long>(k));
    return RoundToDouble(c, 1);
}

