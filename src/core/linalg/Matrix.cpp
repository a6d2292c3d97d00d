#include "core/linalg/Matrix.h"

#include "core/linalg/Determinant.h"
#include "core/linalg/Exact.h"
#include "core/linalg/ScaledLu.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using RowMajor = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;

Eigen::Map<const RowMajor> View(const CMatrix &m)
{
    return Eigen::Map<const RowMajor>(m.Values().data(), m.Rows(), m.Cols());
}

CMatrix FromEigen(const Eigen::MatrixXd &m)
{
    CMatrix out(static_cast<int>(m.rows()), static_cast<int>(m.cols()));
    for (int i = 0; i < out.Rows(); ++i)
        for (int j = 0; j < out.Cols(); ++j)
            out.At(i, j) = m(i, j);
    return out;
}

double Sign(const Eigen::MatrixXd &orthogonal)
{
    return orthogonal.partialPivLu().determinant() < 0 ? -1.0 : 1.0;
}

// adj(U S V^T) = det(U) det(V) V adj(S) U^T, where adj(S) holds for each
// singular value the product of all the others. Works for singular matrices,
// where the adjugate is not det times inverse.
Eigen::MatrixXd SvdAdjugate(const Eigen::MatrixXd &a)
{
    const Eigen::JacobiSVD<Eigen::MatrixXd> svd(a, Eigen::ComputeFullU | Eigen::ComputeFullV);
    const Eigen::VectorXd s = svd.singularValues();
    const Eigen::Index n = s.size();
    Eigen::VectorXd others(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        double product = 1.0;
        for (Eigen::Index j = 0; j < n; ++j)
            if (j != i)
                product *= s(j);
        others(i) = product;
    }
    const double sign = Sign(svd.matrixU()) * Sign(svd.matrixV());
    return sign * svd.matrixV() * others.asDiagonal() * svd.matrixU().transpose();
}

}  // namespace

CMatrix::CMatrix(int nRows, int nCols) : CMatrix(nRows, nCols, {}) {}

CMatrix::CMatrix(int nRows, int nCols, std::vector<double> values) : m_aValues(std::move(values))
{
    // A negative size is no matrix at all.
    if (nRows > 0 && nCols > 0) {
        m_nRows = nRows;
        m_nCols = nCols;
    }
    m_aValues.resize(static_cast<std::size_t>(m_nRows) * m_nCols, 0.0);
}

std::optional<CMatrix> CMatrix::Multiply(const CMatrix &b) const
{
    if (m_nCols != b.m_nRows)
        return std::nullopt;
    return FromEigen(View(*this) * View(b));
}

CMatrix CMatrix::Scale(double s) const
{
    CMatrix out = *this;
    for (double &v : out.m_aValues)
        v *= s;
    return out;
}

CMatrix CMatrix::Transpose() const
{
    CMatrix out(m_nCols, m_nRows);
    for (int i = 0; i < m_nRows; ++i)
        for (int j = 0; j < m_nCols; ++j)
            out.At(j, i) = At(i, j);
    return out;
}

double CMatrix::Determinant() const
{
    if (!IsSquare())
        return std::numeric_limits<double>::quiet_NaN();
    return CDeterminant(m_nRows, m_aValues).Value();
}

bool CMatrix::IsSingular() const
{
    return !IsSquare() || CScaledLu(View(*this)).IsSingular();
}

CMatrix CMatrix::Minor(int skipRow, int skipCol) const
{
    CMatrix out(m_nRows - 1, m_nCols - 1);
    for (int i = 0, r = 0; i < m_nRows; ++i) {
        if (i == skipRow)
            continue;
        for (int j = 0, c = 0; j < m_nCols; ++j)
            if (j != skipCol)
                out.At(r, c++) = At(i, j);
        ++r;
    }
    return out;
}

CMatrix CMatrix::CofactorAdjugate(bool *pExact) const
{
    CMatrix out(m_nRows, m_nCols);
    bool bExact = true;
    for (int i = 0; i < m_nRows; ++i)
        for (int j = 0; j < m_nCols; ++j) {
            const CMatrix minor = Minor(j, i);
            const CDeterminant d(minor.Rows(), minor.Values());
            bExact = bExact && d.IsExact() && std::abs(d.Value()) < 0x1p53;
            out.At(i, j) = (i + j) % 2 == 0 ? d.Value() : -d.Value();
        }
    if (pExact)
        *pExact = bExact;
    return out;
}

std::optional<CMatrix> CMatrix::Adjugate() const { return AdjugateChecked().matrix; }

CMatrix::SResult CMatrix::AdjugateChecked() const
{
    if (!IsSquare())
        return {std::nullopt, ETrouble::NotSquare};
    CMatrix out;
    if (m_nRows <= kCofactorLimit) {
        out = CofactorAdjugate(nullptr);
    } else {
        const CScaledLu lu(View(*this));
        out = lu.IsSingular() ? FromEigen(SvdAdjugate(View(*this))) : FromEigen(Determinant() * lu.Inverse());
    }
    if (!std::all_of(out.m_aValues.begin(), out.m_aValues.end(), [](double v) { return std::isfinite(v); }))
        return {std::nullopt, ETrouble::OutOfRange};
    return {std::move(out)};
}

CMatrix::SResult CMatrix::Checked(std::optional<CMatrix> result)
{
    if (result && !std::all_of(result->m_aValues.begin(), result->m_aValues.end(), [](double v) { return std::isfinite(v); }))
        return {std::nullopt, ETrouble::OutOfRange};
    return {std::move(result)};
}

std::optional<CMatrix> CMatrix::Inverse() const { return InverseChecked().matrix; }

CMatrix::SResult CMatrix::InverseChecked() const
{
    if (!IsSquare())
        return {std::nullopt, ETrouble::NotSquare};
    const CScaledLu lu(View(*this));
    const double condition = 1.0 / lu.ReciprocalCondition();
    const int n = m_nRows;
    if (n <= kExactLimit)
        if (const auto values = ShortDecimals(m_aValues)) {
            // [A | I] reduced to [I | A^-1], exactly.
            std::vector<mpq_class> augmented(static_cast<std::size_t>(n) * 2 * n);
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < n; ++j)
                    augmented[static_cast<std::size_t>(i) * 2 * n + j] = (*values)[static_cast<std::size_t>(i) * n + j];
                augmented[static_cast<std::size_t>(i) * 2 * n + n + i] = 1;
            }
            if (const auto reduced = ExactEliminate(augmented, n, 2 * n, n)) {
                if (reduced->rank < n)
                    return {std::nullopt, ETrouble::Singular, condition, true};
                CMatrix out(n, n);
                for (int i = 0; i < n; ++i)
                    for (int j = 0; j < n; ++j)
                        out.At(i, j) = NearestDouble(reduced->reduced[static_cast<std::size_t>(i) * 2 * n + n + j]);
                if (!std::all_of(out.m_aValues.begin(), out.m_aValues.end(), [](double v) { return std::isfinite(v); }))
                    return {std::nullopt, ETrouble::OutOfRange, condition, true};
                return {std::move(out), ETrouble::None, condition, true, 15};
            }
        }
    if (lu.HasZeroRow())
        return {std::nullopt, ETrouble::Singular, condition};
    if (lu.IsSingular()) {
        // Singular only when the typed doubles are, exactly; else merely beyond double precision.
        bool bSingular = ScaledRank(View(*this)) < n;
        if (n <= kExactLimit)
            if (const auto doubles = ExactDoubles(m_aValues))
                if (const auto d = ExactDeterminant(*doubles, n))
                    bSingular = *d == 0;
        return {std::nullopt, bSingular ? ETrouble::Singular : ETrouble::TooIllConditioned, condition};
    }
    CMatrix out = FromEigen(lu.Inverse());
    if (!std::all_of(out.m_aValues.begin(), out.m_aValues.end(), [](double v) { return std::isfinite(v); }))
        return {std::nullopt, ETrouble::OutOfRange, condition};
    return {std::move(out), ETrouble::None, condition, false, TrustedDigits(lu.ReciprocalCondition())};
}
