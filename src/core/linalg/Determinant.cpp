#include "core/linalg/Determinant.h"

#include "core/linalg/ScaledLu.h"

#include <algorithm>
#include <cmath>
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

}  // namespace

CDeterminant::CDeterminant(int n, std::vector<double> values) { Compute(n, values); }

void CDeterminant::Compute(int n, const std::vector<double> &values)
{
    if (n < 0 || values.size() != static_cast<std::size_t>(n) * n) {
        m_dValue = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    if (const std::optional<Int128> exact = ExactDeterminant(n, values)) {
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
