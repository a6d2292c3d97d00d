#pragma once

#include <optional>
#include <vector>

// A dense matrix of doubles. Every operation returns a new matrix; those that
// are not defined for the operands' sizes (or for a singular matrix) return
// nothing instead of reading outside a matrix.
class CMatrix
{
public:
    // Why an inverse or adjugate is refused, or None; Regular results whose
    // condition estimate reaches kWarnCondition come with a warning, unless
    // they were worked out exactly.
    enum class ETrouble { None, NotSquare, Singular, TooIllConditioned, OutOfRange };
    struct SResult;
    static constexpr double kWarnCondition = 1e6;
    // Up to this size the adjugate is made of cofactors.
    static constexpr int kCofactorLimit = 8;

    CMatrix() = default;
    CMatrix(int nRows, int nCols);  // zeros
    // values: nRows rows of nCols numbers, one row after the other.
    CMatrix(int nRows, int nCols, std::vector<double> values);
    virtual ~CMatrix() = default;
    CMatrix(const CMatrix &) = default;
    CMatrix &operator=(const CMatrix &) = default;
    CMatrix(CMatrix &&) = default;
    CMatrix &operator=(CMatrix &&) = default;

    int Rows() const { return m_nRows; }
    int Cols() const { return m_nCols; }
    bool IsSquare() const { return m_nRows == m_nCols; }
    double At(int row, int col) const { return m_aValues[Index(row, col)]; }
    double &At(int row, int col) { return m_aValues[Index(row, col)]; }
    const std::vector<double> &Values() const { return m_aValues; }
    bool operator==(const CMatrix &other) const = default;

    // This times b; nothing unless Cols() == b.Rows().
    std::optional<CMatrix> Multiply(const CMatrix &b) const;
    CMatrix Scale(double s) const;
    CMatrix Transpose() const;
    // Square only; NaN otherwise.
    double Determinant() const;
    // Square only: the transpose of the matrix of cofactors. The cofactor of
    // a 1 x 1 matrix is the determinant of the empty minor, 1.
    std::optional<CMatrix> Adjugate() const;
    // Square and not singular only.
    std::optional<CMatrix> Inverse() const;
    // The same, saying why there is no result and how well conditioned the
    // matrix is, every element finite: exact in rationals for whole numbers and
    // short decimals, otherwise by LU solves. A matrix singular only within
    // rounding is TooIllConditioned, Singular is kept for an exact zero
    // determinant.
    SResult InverseChecked() const;
    // Adjugate() with the same checks (every element finite).
    SResult AdjugateChecked() const;
    // A product, multiple or transpose with the same check: OutOfRange when
    // an element overflowed.
    static SResult Checked(std::optional<CMatrix> result);
    // True for a square matrix so close to singular that no digit of its
    // inverse would hold, and for any matrix that is not square.
    bool IsSingular() const;

private:
    std::size_t Index(int row, int col) const { return static_cast<std::size_t>(row) * m_nCols + col; }
    // *pExact (if given) tells whether every cofactor came out exact.
    CMatrix CofactorAdjugate(bool *pExact) const;
    CMatrix Minor(int skipRow, int skipCol) const;

    int m_nRows = 0;
    int m_nCols = 0;
    std::vector<double> m_aValues;
};

struct CMatrix::SResult
{
    std::optional<CMatrix> matrix;
    ETrouble trouble = ETrouble::None;
    double condition = 1.0;  // estimated condition number of the operand
    bool exact = false;      // every element the nearest double to the exact one
    int digits = 15;         // significant digits of each element that hold
};
