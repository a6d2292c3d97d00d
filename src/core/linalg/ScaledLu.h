#pragma once

#include <Eigen/Dense>

// LU factorisation with partial pivoting of a square matrix whose rows are
// first scaled by powers of two to a largest element between 1/2 and 1, so
// the scaling itself rounds nothing. Scaling a row changes nothing about a
// system's solvability, so the condition estimate looks at the scaled rows.
class CScaledLu
{
public:
    explicit CScaledLu(const Eigen::MatrixXd &a);

    // A zero row, a value that is not finite, or a matrix that is not square.
    bool HasZeroRow() const { return m_bZeroRow; }
    // Estimated reciprocal condition number of the scaled matrix: 1 for the
    // identity, 0 for an exactly singular or malformed matrix.
    double ReciprocalCondition() const { return m_rcond; }
    // Far enough from singular that at least one digit of a result holds.
    bool IsSingular() const;
    // The product of the pivots with the row scales taken back, gathered as
    // mantissa and exponent so no partial product overflows or underflows.
    double Determinant() const;
    // Both only make sense for a matrix that is not singular.
    Eigen::VectorXd Solve(const Eigen::VectorXd &b) const;
    Eigen::MatrixXd Inverse() const;

private:
    Eigen::VectorXi m_exponents;  // row i is scaled by 2^-m_exponents(i)
    Eigen::PartialPivLU<Eigen::MatrixXd> m_lu;
    double m_rcond = 0.0;
    bool m_bZeroRow = true;
};

// The digits a result computed from a matrix of this reciprocal condition
// number can be trusted to, at most 15; 0 when not even one can.
int TrustedDigits(double rcond);

// Rank by full pivoting after scaling each row, and the last columnsToScale
// columns, to a largest element of 1, so a row's size does not decide whether
// it counts.
int ScaledRank(Eigen::MatrixXd m, Eigen::Index columnsToScale = 0);
