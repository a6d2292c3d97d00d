#include "core/linalg/LinearSystem.h"

#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"
#include "core/linalg/Exact.h"
#include "core/linalg/ScaledLu.h"

#include <algorithm>
#include <cmath>

CLinearSystem::CLinearSystem(int n, std::vector<double> augmented) : m_n(n), m_aAugmented(std::move(augmented)) {}

bool CLinearSystem::SolveExactly()
{
    if (m_n > kExactLimit)
        return false;
    const auto values = ShortDecimals(m_aAugmented);
    if (!values)
        return false;
    const auto reduced = ExactEliminate(*values, m_n, m_n + 1, m_n);
    if (!reduced)
        return false;
    m_bExact = true;
    m_nRank = reduced->rank;
    if (m_nRank < m_n) {
        m_dCondition = HUGE_VAL;
        m_eOutcome = reduced->consistent ? EOutcome::InfinitelyMany : EOutcome::NoSolution;
        return true;
    }
    std::vector<double> solution;
    for (int i = 0; i < m_n; ++i) {
        const mpq_class &x = reduced->reduced[static_cast<std::size_t>(i) * (m_n + 1) + m_n];
        solution.push_back(NearestDouble(x));
        m_aExactTexts.push_back(RationalText(x));
        const std::optional<mpq_class> shown = ShortDecimal(ReadNumberText(FormatSignificant(solution.back(), 10)));
        m_aTenDigitsExact.push_back(shown && *shown == x ? 1 : 0);
    }
    if (!std::all_of(solution.begin(), solution.end(), [](double v) { return std::isfinite(v); })) {
        m_aExactTexts.clear();
        m_aTenDigitsExact.clear();
        m_eOutcome = EOutcome::OutOfRange;
        return true;
    }
    m_aSolution = std::move(solution);
    m_nDigits = 15;
    m_eOutcome = EOutcome::Solved;
    return true;
}

bool CLinearSystem::Solve()
{
    m_aSolution.clear();
    m_aExactTexts.clear();
    m_aTenDigitsExact.clear();
    m_bExact = false;
    m_nDigits = 0;
    m_nRank = 0;
    m_eOutcome = EOutcome::Malformed;
    if (m_n < 1 || m_aAugmented.size() != static_cast<std::size_t>(m_n) * (m_n + 1))
        return false;
    using RowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
    const Eigen::Map<const RowMajor> augmented(m_aAugmented.data(), m_n, m_n + 1);
    if (!augmented.allFinite())
        return false;
    if ((augmented.col(0).array() == 0.0).all()) {
        m_eOutcome = EOutcome::FirstColumnZero;
        return false;
    }
    const CScaledLu lu(augmented.leftCols(m_n));
    m_dCondition = 1.0 / lu.ReciprocalCondition();
    if (SolveExactly())
        return m_eOutcome == EOutcome::Solved;
    if (!lu.IsSingular()) {
        const Eigen::VectorXd x = lu.Solve(augmented.col(m_n));
        if (!x.allFinite()) {
            m_eOutcome = EOutcome::OutOfRange;
            return false;
        }
        m_aSolution.assign(x.data(), x.data() + x.size());
        m_nDigits = TrustedDigits(lu.ReciprocalCondition());
        m_eOutcome = EOutcome::Solved;
        return true;
    }
    // Rounded input: whether the rank really falls short cannot be told, only
    // that double precision cannot solve it.
    m_nRank = ScaledRank(augmented.leftCols(m_n), 0);
    m_eOutcome = EOutcome::TooIllConditioned;
    return false;
}
