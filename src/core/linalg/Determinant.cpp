#include "core/linalg/Determinant.h"

#include <Eigen/Dense>

#include <algorithm>
#include <limits>
#include <numeric>

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
    // The expansion reorders row indices only; the numbers never move.
    std::vector<int> rows(m_n);
    std::iota(rows.begin(), rows.end(), 0);
    return Expand(rows, m_n);
}

// Determinant of the block of the last k rows of the list and the last k
// columns, expanded along the block's first column.
double CDeterminant::Expand(std::vector<int> &rows, int k) const
{
    if (k == 1)
        return At(rows[m_n - 1], m_n - 1);
    const int t = m_n - k;
    double sum = 0.0;
    bool bAdd = true;
    for (int s = t; s < m_n; ++s) {
        // Row s to the top of the block; the rows between keep their order.
        std::rotate(rows.begin() + t, rows.begin() + s, rows.begin() + s + 1);
        const double term = At(rows[t], t) * Expand(rows, k - 1);
        sum += bAdd ? term : -term;
        bAdd = !bAdd;
        std::rotate(rows.begin() + t, rows.begin() + t + 1, rows.begin() + s + 1);
    }
    return sum;
}
