#pragma once

#include <vector>

// Determinant of a square matrix. When every element is a whole number (the
// usual homework) it is exact: fraction-free elimination in 128-bit integers,
// or, where its minors overflow them but Hadamard's bound keeps the
// determinant below 2^121, residues modulo four primes put together again.
// Otherwise an LU factorisation with partial pivoting, whose value is trusted
// only to the digits its condition estimate leaves.
class CDeterminant
{
public:
    // values: n rows of n numbers, one row after the other (copied).
    CDeterminant(int n, std::vector<double> values);
    virtual ~CDeterminant() = default;

    // 1 for the empty matrix (n = 0), NaN for a malformed one.
    double Value() const { return m_dValue; }
    bool IsExact() const { return m_bExact; }
    // Significant digits of Value() that hold: 15 when exact; 0 when the
    // matrix is singular to within rounding, so no digit does.
    int Digits() const { return m_nDigits; }

private:
    void Compute(int n, const std::vector<double> &values);

    double m_dValue = 0.0;
    bool m_bExact = false;
    int m_nDigits = 0;
};
