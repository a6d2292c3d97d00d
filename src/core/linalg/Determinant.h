#pragma once

#include <vector>

// Determinant of a square matrix. Small matrices are expanded by cofactors
// along the first column, which keeps integer results such as 6 or -2 exact;
// beyond kExpansionLimit the expansion (n! products) would never finish, so
// an LU factorisation with partial pivoting takes over.
class CDeterminant
{
public:
    static constexpr int kExpansionLimit = 8;

    // values: n rows of n numbers, one row after the other (copied).
    CDeterminant(int n, std::vector<double> values);
    virtual ~CDeterminant() = default;

    // 1 for the empty matrix (n = 0), NaN for a malformed one.
    double Value() const;

private:
    double Expand(unsigned rows, std::vector<double> &memo) const;
    double At(int row, int col) const { return m_aValues[static_cast<std::size_t>(row) * m_n + col]; }

    int m_n = 0;
    std::vector<double> m_aValues;
};
