#pragma once

#include <Eigen/Dense>

// LU factorisation with partial pivoting of a square matrix whose rows are
// first scaled to a largest element of 1. Scaling a row of a system changes nothing about
// its solvability, so the singularity test looks at the scaled rows: a matrix
// is singular when a row is zero or not finite, or when the reciprocal
// condition number of the scaled matrix is negligible.
class CScaledLu
{
public:
    static constexpr double kSingularCondition = 1e-12;

    explicit CScaledLu(const Eigen::MatrixXd &a);

    bool IsSingular() const { return m_bSingular; }
    // Both only make sense for a matrix that is not singular.
    Eigen::VectorXd Solve(const Eigen::VectorXd &b) const;
    Eigen::MatrixXd Inverse() const;

private:
    Eigen::VectorXd m_scale;  // one factor per row
    Eigen::PartialPivLU<Eigen::MatrixXd> m_lu;
    bool m_bSingular = true;
};
