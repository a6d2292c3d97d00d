#include "core/linalg/Matrix.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectNear(const CMatrix &actual, const CMatrix &expected, double tolerance = 1e-12)
{
    ASSERT_EQ(actual.Rows(), expected.Rows());
    ASSERT_EQ(actual.Cols(), expected.Cols());
    for (int i = 0; i < actual.Rows(); ++i)
        for (int j = 0; j < actual.Cols(); ++j)
            EXPECT_NEAR(actual.At(i, j), expected.At(i, j), tolerance) << "(" << i << ", " << j << ")";
}

TEST(MatrixOps, Multiply)
{
    const auto c = CMatrix(2, 2, {1, 2, 3, 4}).Multiply(CMatrix(2, 2, {5, 6, 7, 8}));
    ASSERT_TRUE(c);
    EXPECT_EQ(*c, CMatrix(2, 2, {19, 22, 43, 50}));
    const auto d = CMatrix(1, 3, {1, 2, 3}).Multiply(CMatrix(3, 1, {4, 5, 6}));
    ASSERT_TRUE(d);
    EXPECT_EQ(*d, CMatrix(1, 1, {32}));
}

TEST(MatrixOps, MultiplyNeedsMatchingSizes)
{
    EXPECT_FALSE(CMatrix(6, 4).Multiply(CMatrix(6, 4)));
    EXPECT_FALSE(CMatrix(2, 3).Multiply(CMatrix(2, 3)));
}

TEST(MatrixOps, ScaleAndTranspose)
{
    EXPECT_EQ(CMatrix(1, 2, {1, -2}).Scale(2.5), CMatrix(1, 2, {2.5, -5}));
    EXPECT_EQ(CMatrix(2, 3, {1, 2, 3, 4, 5, 6}).Transpose(), CMatrix(3, 2, {1, 4, 2, 5, 3, 6}));
}

TEST(MatrixOps, InverseAndAdjugateOfTwoByTwo)
{
    const CMatrix a(2, 2, {4, 7, 2, 6});
    EXPECT_EQ(*a.Inverse(), CMatrix(2, 2, {0.6, -0.7, -0.2, 0.4}));
    EXPECT_EQ(*a.Adjugate(), CMatrix(2, 2, {6, -7, -2, 4}));
}

TEST(MatrixOps, OneByOne)
{
    EXPECT_EQ(*CMatrix(1, 1, {4}).Adjugate(), CMatrix(1, 1, {1}));
    EXPECT_EQ(*CMatrix(1, 1, {4}).Inverse(), CMatrix(1, 1, {0.25}));
    EXPECT_FALSE(CMatrix(1, 1, {0}).Inverse());
}

TEST(MatrixOps, NotSquareHasNoInverseOrAdjugate)
{
    EXPECT_FALSE(CMatrix(2, 3).Inverse());
    EXPECT_FALSE(CMatrix(2, 3).Adjugate());
    EXPECT_TRUE(std::isnan(CMatrix(2, 3).Determinant()));
}

TEST(MatrixOps, NegativeSizeIsEmpty)
{
    EXPECT_EQ(CMatrix(-2, 3).Rows(), 0);
    EXPECT_EQ(CMatrix(-2, 3).Values().size(), 0u);
}

// Singular: exactly, through rounding, and through a zero row. The threshold
// sits between (1 1; 1 1+d) for d = 1e-10 (inverted) and d = 1e-13 (not).
struct SingularCase {
    const char *name;
    CMatrix matrix;
    bool bSingular;
};

class Singularity : public ::testing::TestWithParam<SingularCase> {};

TEST_P(Singularity, DecidesWhetherToInvert)
{
    EXPECT_EQ(GetParam().matrix.IsSingular(), GetParam().bSingular);
    EXPECT_EQ(GetParam().matrix.Inverse().has_value(), !GetParam().bSingular);
}

INSTANTIATE_TEST_SUITE_P(
    Matrices, Singularity,
    ::testing::Values(SingularCase{"Exact", CMatrix(2, 2, {1, 2, 2, 4}), true},
                      SingularCase{"Rounded", CMatrix(3, 3, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}), true},
                      SingularCase{"ZeroRow", CMatrix(2, 2, {1, 2, 0, 0}), true},
                      SingularCase{"JustBelowThreshold", CMatrix(2, 2, {1, 1, 1, 1 + 1e-13}), true},
                      SingularCase{"JustAboveThreshold", CMatrix(2, 2, {1, 1, 1, 1 + 1e-10}), false},
                      SingularCase{"TinyButRegular", CMatrix(2, 2, {1e-150, 0, 0, 1e-150}), false},
                      SingularCase{"LargeSingular", [] {
                                       CMatrix m(12, 12);
                                       for (int i = 0; i < 12; ++i)
                                           for (int j = 0; j < 12; ++j)
                                               m.At(i, j) = i + j;  // rank 2
                                       return m;
                                   }(),
                                   true}),
    [](const auto &info) { return std::string(info.param.name); });

// A singular matrix still has an adjugate: (1 2; 2 4) -> (4 -2; -2 1), and a
// rank n - 1 matrix beyond the expansion limit has a non-zero one.
TEST(MatrixOps, AdjugateOfSingularMatrix)
{
    EXPECT_EQ(*CMatrix(2, 2, {1, 2, 2, 4}).Adjugate(), CMatrix(2, 2, {4, -2, -2, 1}));
    CMatrix a(10, 10);
    for (int i = 0; i < 9; ++i)
        a.At(i, i) = 2;  // diag(2, ..., 2, 0): adjugate is 2^9 at (9, 9) only
    CMatrix expected(10, 10);
    expected.At(9, 9) = 512;
    ExpectNear(*a.Adjugate(), expected, 1e-9);
}

}  // namespace
