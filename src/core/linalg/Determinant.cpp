#include "core/linalg/Determinant.h"

#include "core/linalg/ScaledLu.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

namespace {

using Int128 = __int128;

// Bareiss elimination: every value it keeps is a minor of the matrix, and
// each division is exact. Nothing when an element is not a whole number or
// a product leaves the 128-bit range.
std::optional<Int128> ExactDeterminant(int n, const std::vector<double> &values)
{
    std::vector<Int128> a(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double v = values[i];
        if (!(std::abs(v) <= 0x1p100) || v != std::trunc(v))
            return std::nullopt;
        a[i] = static_cast<Int128>(v);
    }
    const auto at = [&a, n](int r, int c) -> Int128 & { return a[static_cast<std::size_t>(r) * n + c]; };
    Int128 previous = 1;
    bool negate = false;
    for (int k = 0; k < n; ++k) {
        if (at(k, k) == 0) {
            int r = k + 1;
            while (r < n && at(r, k) == 0)
                ++r;
            if (r == n)
                return Int128{0};
            for (int c = k; c < n; ++c)
                std::swap(at(k, c), at(r, c));
            negate = !negate;
        }
        for (int i = k + 1; i < n; ++i)
            for (int j = k + 1; j < n; ++j) {
                Int128 p, q, d;
                if (__builtin_mul_overflow(at(i, j), at(k, k), &p) || __builtin_mul_overflow(at(i, k), at(k, j), &q)
                    || __builtin_sub_overflow(p, q, &d))
                    return std::nullopt;
                at(i, j) = d / previous;
            }
        previous = at(k, k);
    }
    return negate ? -previous : previous;
}

using Residue = std::uint64_t;

Residue PowMod(Residue base, Residue exponent, Residue p)
{
    Residue result = 1;
    for (base %= p; exponent; exponent >>= 1, base = base * base % p)
        if (exponent & 1)
            result = result * base % p;
    return result;
}

// The determinant modulo a prime below 2^31, by elimination over the field.
Residue DeterminantModulo(int n, const std::vector<Int128> &values, Residue p)
{
    std::vector<Residue> a(values.size());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const Int128 r = values[i] % static_cast<Int128>(p);
        a[i] = static_cast<Residue>(r < 0 ? r + static_cast<Int128>(p) : r);
    }
    const auto at = [&a, n](int r, int c) -> Residue & { return a[static_cast<std::size_t>(r) * n + c]; };
    Residue det = 1;
    for (int k = 0; k < n; ++k) {
        int r = k;
        while (r < n && at(r, k) == 0)
            ++r;
        if (r == n)
            return 0;
        if (r != k) {
            for (int c = k; c < n; ++c)
                std::swap(at(k, c), at(r, c));
            det = p - det;
        }
        det = det * at(k, k) % p;
        const Residue inverse = PowMod(at(k, k), p - 2, p);
        for (int i = k + 1; i < n; ++i) {
            const Residue factor = at(i, k) * inverse % p;
            if (factor == 0)
                continue;
            for (int j = k + 1; j < n; ++j)
                at(i, j) = (at(i, j) + (p - factor) * at(k, j)) % p;
        }
    }
    return det % p;
}

// When the minors outgrow 128 bits but the determinant cannot (by Hadamard's
// bound), it is put together from its residues modulo four primes.
std::optional<Int128> ModularDeterminant(int n, const std::vector<double> &values)
{
    static constexpr Residue kPrimes[] = {2147483647, 2147483629, 2147483587, 2147483579};
    double log2Bound = 0;  // the product of the rows' lengths
    for (int i = 0; i < n; ++i) {
        double sum = 0;
        for (int j = 0; j < n; ++j)
            sum += values[static_cast<std::size_t>(i) * n + j] * values[static_cast<std::size_t>(i) * n + j];
        log2Bound += sum > 0 ? 0.5 * std::log2(sum) : 0;
    }
    // The primes' product is just below 2^124; the determinant must lie well inside half of it.
    if (!(log2Bound < 121))
        return std::nullopt;
    std::vector<Int128> a(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        a[i] = static_cast<Int128>(values[i]);
    // Garner: x = d0 + d1 p0 + d2 p0 p1 + d3 p0 p1 p2 with each digit below its prime.
    Residue digits[4];
    unsigned __int128 x = 0, radix = 1;
    for (int i = 0; i < 4; ++i) {
        const Residue p = kPrimes[i];
        Residue d = DeterminantModulo(n, a, p);
        for (int j = 0; j < i; ++j)
            d = (d + p - digits[j] % p) % p * PowMod(kPrimes[j] % p, p - 2, p) % p;
        digits[i] = d;
        x += radix * d;
        radix *= p;
    }
    const unsigned __int128 half = radix / 2;
    return x > half ? -static_cast<Int128>(radix - x) : static_cast<Int128>(x);
}

}  // namespace

CDeterminant::CDeterminant(int n, std::vector<double> values) { Compute(n, values); }

void CDeterminant::Compute(int n, const std::vector<double> &values)
{
    if (n < 0 || values.size() != static_cast<std::size_t>(n) * n) {
        m_dValue = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    std::optional<Int128> exact = ExactDeterminant(n, values);
    if (!exact && std::all_of(values.begin(), values.end(), [](double v) { return std::abs(v) < 0x1p53 && v == std::trunc(v); }))
        exact = ModularDeterminant(n, values);
    if (exact) {
        m_dValue = n == 0 ? 1.0 : static_cast<double>(*exact);
        m_bExact = true;
        m_nDigits = 15;
        return;
    }
    using RowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
    const CScaledLu lu(Eigen::Map<const RowMajor>(values.data(), n, n));
    if (lu.HasZeroRow()) {
        // Only a row that is not finite gets here with whole numbers elsewhere.
        const bool bFinite = std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
        m_dValue = bFinite ? 0.0 : std::numeric_limits<double>::quiet_NaN();
        m_bExact = bFinite;
        m_nDigits = bFinite ? 15 : 0;
        return;
    }
    m_dValue = lu.Determinant();
    m_nDigits = TrustedDigits(lu.ReciprocalCondition());
}
