#include "core/linalg/Determinant.h"

#include <Eigen/Dense>

#include <bit>
#include <cmath>
#include <limits>

CDeterminant::CDeterminant(int n, std::vector<double> values) : m_n(n), m_aValues(std::move(values)) {}

double CDeterminant::Value() const
{
    if (m_n < 0 || m_aValues.size() != static_cast<std::size_t>(m_n) * m_n)
        return std::numeric_limits<double>::quiet_NaN();
    if (m_n == 0)
        return 1.0;
    if (m_n > kExpansionLimit) {
        const Eigen::Map<const Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>> a(m_aValues.data(), m_n, m_n);
        return a.partialPivLu().determinant();
    }
    // Each block's determinant depends only on which rows are left, so it is
    // computed once: 2^n blocks instead of n! paths, with the same sums.
    std::vector<double> memo(std::size_t{1} << m_n, std::numeric_limits<double>::quiet_NaN());
    return Expand((1u << m_n) - 1, memo);
}

// Determinant of the block of the rows in the set (in their order) and the
// last columns, expanded along the block's first column with alternating signs.
double CDeterminant::Expand(unsigned rows, std::vector<double> &memo) const
{
    const int k = std::popcount(rows);
    const int t = m_n - k;
    if (k == 1)
        return At(std::countr_zero(rows), m_n - 1);
    if (!std::isnan(memo[rows]))
        return memo[rows];
    double sum = 0.0;
    bool bAdd = true;
    for (int r = 0; r < m_n; ++r) {
        if (!(rows & (1u << r)))
            continue;
        const double term = At(r, t) * Expand(rows & ~(1u << r), memo);
        sum += bAdd ? term : -term;
        bAdd = !bAdd;
    }
    // A NaN sum is simply computed again: rare, and still correct.
    memo[rows] = sum;
    return sum;
}
