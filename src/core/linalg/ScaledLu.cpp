#include "core/linalg/ScaledLu.h"

#include <cmath>

CScaledLu::CScaledLu(const Eigen::MatrixXd &a)
{
    // The largest magnitude of each row: no squares, so no underflow.
    const Eigen::VectorXd norms = a.cwiseAbs().rowwise().maxCoeff();
    if (a.rows() == 0 || a.rows() != a.cols() || !norms.allFinite() || (norms.array() == 0.0).any())
        return;
    m_scale = norms.cwiseInverse();
    m_lu.compute(m_scale.asDiagonal() * a);
    // NaN (overflow inside the factors) counts as singular too.
    m_bSingular = !(m_lu.rcond() > kSingularCondition);
}

Eigen::VectorXd CScaledLu::Solve(const Eigen::VectorXd &b) const
{
    return m_lu.solve(m_scale.asDiagonal() * b);
}

Eigen::MatrixXd CScaledLu::Inverse() const
{
    // (D A)^-1 = A^-1 D^-1, so A^-1 = (D A)^-1 D.
    return m_lu.inverse() * m_scale.asDiagonal();
}
