#pragma once

#include <string>
#include <vector>

// Determinant of a square matrix. When every element is a whole number or a
// short decimal (the usual homework) it is exact, worked out in rationals.
// Otherwise the doubles themselves are taken exactly where that stays cheap
// (so a regular matrix never comes out as 0), else an LU factorisation with
// partial pivoting; either way the value is trusted only to the digits its
// condition estimate leaves.
class CDeterminant
{
public:
    // values: n rows of n numbers, one row after the other (copied).
    CDeterminant(int n, std::vector<double> values);
    virtual ~CDeterminant() = default;

    // 1 for the empty matrix (n = 0), NaN for a malformed one.
    double Value() const { return m_dValue; }
    bool IsExact() const { return m_bExact; }
    // The exact value in full ("-621150105350847156007505", "7/3"), when exact.
    const std::string &ExactText() const { return m_strExact; }
    // Significant digits of Value() to show: 15 when exact or zero, else the
    // digits the condition estimate leaves, but at least 2 for a value that
    // is not zero.
    int Digits() const { return m_nDigits; }
    // The digits that can really be trusted (0 to 15).
    int TrustedDigits() const { return m_nTrusted; }
    // Estimated condition number (1 when not estimated, for exact values).
    double Condition() const { return m_dCondition; }

    // Below this the value is shown with at least this many digits and a warning.
    static constexpr int kMinShownDigits = 2;

private:
    void Compute(int n, const std::vector<double> &values);

    double m_dValue = 0.0;
    bool m_bExact = false;
    std::string m_strExact;
    int m_nDigits = 0;
    int m_nTrusted = 0;
    double m_dCondition = 1.0;
};
