#include "core/linalg/ScaledLu.h"

#include <algorithm>
#include <cmath>
#include <limits>

CScaledLu::CScaledLu(const Eigen::MatrixXd &a)
{
    // The largest magnitude of each row: no squares, so no underflow.
    const Eigen::VectorXd norms = a.cwiseAbs().rowwise().maxCoeff();
    if (a.rows() == 0 || a.rows() != a.cols() || !norms.allFinite() || (norms.array() == 0.0).any())
        return;
    m_bZeroRow = false;
    // Exponents rather than factors: 2^-e for a row of subnormal numbers is
    // beyond double, while ldexp scales each element exactly.
    m_exponents.resize(norms.size());
    Eigen::MatrixXd scaled(a.rows(), a.cols());
    for (Eigen::Index i = 0; i < norms.size(); ++i) {
        std::frexp(norms(i), &m_exponents(i));
        for (Eigen::Index j = 0; j < a.cols(); ++j)
            scaled(i, j) = std::ldexp(a(i, j), -m_exponents(i));
    }
    m_lu.compute(scaled);
    // Eigen's estimate stays finite even for an exactly zero pivot, so the
    // ratio of the smallest pivot to the largest caps it. NaN (overflow
    // inside the factors) counts as singular too.
    const Eigen::VectorXd pivots = m_lu.matrixLU().diagonal().cwiseAbs();
    const double rcond = std::min(m_lu.rcond(), pivots.minCoeff() / pivots.maxCoeff());
    m_rcond = rcond > 0.0 ? rcond : 0.0;
}

bool CScaledLu::IsSingular() const { return TrustedDigits(m_rcond) < 1; }

double CScaledLu::Determinant() const
{
    if (m_bZeroRow)
        return 0.0;
    double mantissa = m_lu.permutationP().determinant();
    long exponent = 0;
    for (Eigen::Index i = 0; i < m_exponents.size(); ++i) {
        int e = 0;
        mantissa = std::frexp(mantissa * m_lu.matrixLU()(i, i), &e);
        exponent += e + m_exponents(i);
    }
    if (mantissa == 0.0 || !std::isfinite(mantissa))
        return mantissa;
    const long limit = std::numeric_limits<int>::max() / 2;
    return std::ldexp(mantissa, static_cast<int>(std::clamp(exponent, -limit, limit)));
}

Eigen::VectorXd CScaledLu::Solve(const Eigen::VectorXd &b) const
{
    Eigen::VectorXd scaled(b.size());
    for (Eigen::Index i = 0; i < b.size(); ++i)
        scaled(i) = std::ldexp(b(i), -m_exponents(i));
    return m_lu.solve(scaled);
}

Eigen::MatrixXd CScaledLu::Inverse() const
{
    // (D A)^-1 = A^-1 D^-1, so A^-1 = (D A)^-1 D: column j times 2^-e(j).
    Eigen::MatrixXd inverse = m_lu.inverse();
    for (Eigen::Index j = 0; j < inverse.cols(); ++j)
        for (Eigen::Index i = 0; i < inverse.rows(); ++i)
            inverse(i, j) = std::ldexp(inverse(i, j), -m_exponents(j));
    return inverse;
}

int TrustedDigits(double rcond)
{
    if (!(rcond > 0.0))
        return 0;
    const double digits = std::floor(-std::log10(std::numeric_limits<double>::epsilon() / rcond));
    return digits < 1 ? 0 : digits > 15 ? 15 : static_cast<int>(digits);
}

int ScaledRank(Eigen::MatrixXd m, Eigen::Index columnsToScale)
{
    for (Eigen::Index c = m.cols() - columnsToScale; c < m.cols(); ++c)
        if (const double norm = m.col(c).cwiseAbs().maxCoeff(); norm > 0)
            m.col(c) /= norm;
    for (Eigen::Index r = 0; r < m.rows(); ++r)
        if (const double norm = m.row(r).cwiseAbs().maxCoeff(); norm > 0)
            m.row(r) /= norm;
    // Eigen's threshold: a pivot below n rounding errors of the largest is zero.
    return static_cast<int>(Eigen::FullPivLU<Eigen::MatrixXd>(m).rank());
}
