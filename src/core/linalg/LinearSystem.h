#pragma once

#include <vector>

// A system of n linear equations in n unknowns, solved by elimination with
// partial pivoting at every column (on rows scaled to a largest element of 1).
class CLinearSystem
{
public:
    // augmented: n rows of n + 1 numbers (the coefficients, then the free
    // term), one row after the other. The values are copied.
    CLinearSystem(int n, std::vector<double> augmented);
    virtual ~CLinearSystem() = default;

    // False when the system is singular (some column has no usable pivot) or
    // malformed; no solution is kept then.
    bool Solve();
    const std::vector<double> &Solution() const { return m_aSolution; }
    int Size() const { return m_n; }

private:
    int m_n = 0;
    std::vector<double> m_aAugmented;
    std::vector<double> m_aSolution;
};
