#include "core/linalg/LinearSystem.h"

#include "core/linalg/ScaledLu.h"

CLinearSystem::CLinearSystem(int n, std::vector<double> augmented) : m_n(n), m_aAugmented(std::move(augmented)) {}

bool CLinearSystem::Solve()
{
    m_aSolution.clear();
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
    if (!lu.IsSingular()) {
        const Eigen::VectorXd x = lu.Solve(augmented.col(m_n));
        if (!x.allFinite()) {
            m_eOutcome = EOutcome::OutOfRange;
            return false;
        }
        m_aSolution.assign(x.data(), x.data() + x.size());
        m_eOutcome = EOutcome::Solved;
        return true;
    }
    m_nRank = ScaledRank(augmented.leftCols(m_n), 0);
    if (m_nRank == m_n)
        m_eOutcome = EOutcome::TooIllConditioned;
    else
        m_eOutcome = ScaledRank(augmented, 1) > m_nRank ? EOutcome::NoSolution : EOutcome::InfinitelyMany;
    return false;
}
