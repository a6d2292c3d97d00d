#include "core/linalg/LinearSystem.h"

#include "core/linalg/ScaledLu.h"

CLinearSystem::CLinearSystem(int n, std::vector<double> augmented) : m_n(n), m_aAugmented(std::move(augmented)) {}

bool CLinearSystem::Solve()
{
    m_aSolution.clear();
    if (m_n < 1 || m_aAugmented.size() != static_cast<std::size_t>(m_n) * (m_n + 1))
        return false;
    using RowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
    const Eigen::Map<const RowMajor> augmented(m_aAugmented.data(), m_n, m_n + 1);
    const CScaledLu lu(augmented.leftCols(m_n));
    if (lu.IsSingular())
        return false;
    const Eigen::VectorXd x = lu.Solve(augmented.col(m_n));
    m_aSolution.assign(x.data(), x.data() + x.size());
    return true;
}
