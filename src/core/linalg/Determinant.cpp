#include "core/linalg/Determinant.h"

#include "core/linalg/Exact.h"
#include "core/linalg/ScaledLu.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

CDeterminant::CDeterminant(int n, std::vector<double> values) { Compute(n, values); }

void CDeterminant::Compute(int n, const std::vector<double> &values)
{
    if (n < 0 || values.size() != static_cast<std::size_t>(n) * n) {
        m_dValue = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    const auto setExact = [this](const mpq_class &d) {
        m_dValue = NearestDouble(d);
        m_bExact = true;
        m_strExact = RationalText(d);
        m_nDigits = m_nTrusted = 15;
    };
    if (n <= kExactLimit)
        if (const auto decimals = ShortDecimals(values))
            if (const auto d = ExactDeterminant(*decimals, n)) {
                setExact(*d);
                return;
            }
    using RowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
    const CScaledLu lu(Eigen::Map<const RowMajor>(values.data(), n, n));
    if (lu.HasZeroRow()) {
        // A zero row, or an element that is not finite.
        const bool bFinite = std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
        if (bFinite)
            setExact(mpq_class(0));
        else
            m_dValue = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    m_dCondition = 1.0 / lu.ReciprocalCondition();
    m_nTrusted = ::TrustedDigits(lu.ReciprocalCondition());
    m_dValue = lu.Determinant();
    // The typed doubles taken exactly: a matrix that is singular only within
    // rounding still has its true, non-zero value.
    if (n <= kExactLimit)
        if (const auto doubles = ExactDoubles(values))
            if (const auto d = ExactDeterminant(*doubles, n)) {
                if (*d == 0) {
                    setExact(*d);
                    return;
                }
                m_dValue = NearestDouble(*d);
            }
    m_nDigits = m_dValue == 0 ? 15 : std::max(m_nTrusted, kMinShownDigits);
}
