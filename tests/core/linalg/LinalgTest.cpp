#include "core/linalg/Determinant.h"
#include "core/linalg/LinearSystem.h"
#include "core/linalg/Matrix.h"
#include "core/linalg/NumberFormat.h"

#include <Eigen/Dense>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

TEST(Determinant, ExactByExpansionNaNWhenMalformed)
{
    std::vector<double> reversed(64, 0.0);  // the reversal of 8 rows: 28 exchanges; the last size expanded
    for (int i = 0; i < 8; ++i)
        reversed[i * 8 + 7 - i] = 1;
    const struct { int n; std::vector<double> values; double expected; } cases[] = {
        {2, {1, 2, 3, 4}, -2}, {1, {3}, 3}, {3, {2, 0, 1, 1, 3, 2, 1, 1, 2}, 6}, {3, {1, 2, 3, 4, 5, 6, 1, 2, 3}, 0},
        {2, {0, 1, 1, 0}, -1}, {0, {}, 1}, {8, reversed, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(CDeterminant(c.n, c.values).Value(), c.expected) << c.n;
    EXPECT_TRUE(std::isnan(CDeterminant(2, {1, 2, 3}).Value()));
    EXPECT_TRUE(std::isnan(CDeterminant(-1, {}).Value()));
}

TEST(LinearSystem, SolvesWithPivotingAndRefusesSingularSystems)
{
    const struct { int n; std::vector<double> augmented, solution; } solvable[] = {
        {3, {1, 2, 3, 9, 2, -1, 1, 8, 3, 0, -1, 3}, {2, -1, 3}}, {2, {0, 1, 1, 1, 1, 3}, {2, 1}},
        {3, {1, 1, 1, 6, 1, 1, 2, 9, 1, 2, 3, 14}, {1, 2, 3}},  // zero pivot in the second column too
        {2, {1e-20, 1, 1, 1, 1, 2}, {1, 1}},                     // a tiny first pivot kept in place loses x
        {2, {1e-200, 2e-200, 5e-200, 3, 4, 11}, {1, 2}},        // rows of very different scale
        {2, {1.7e308, 1.7e308, 1.7e308, 1, 2, 3}, {-1, 2}},
    };
    for (const auto &c : solvable) {
        CLinearSystem system(c.n, c.augmented);
        ASSERT_TRUE(system.Solve()) << c.augmented[0];
        ASSERT_EQ(system.Solution().size(), c.solution.size());
        for (std::size_t i = 0; i < c.solution.size(); ++i)
            EXPECT_NEAR(system.Solution()[i], c.solution[i], 1e-12) << c.augmented[0] << " variable " << i + 1;
    }
    const struct { int n; std::vector<double> augmented; } singular[] = {
        {2, {0, 1, 1, 0, 2, 2}}, {2, {1, 2, 3, 2, 4, 6}}, {3, {0.1, 0.2, 0.3, 1, 0.4, 0.5, 0.6, 1, 0.7, 0.8, 0.9, 1}},
        {2, {1, 1, 1, 0, 0, 5}}, {0, {}}, {2, {1, 2, 3}},
    };
    for (const auto &c : singular) {
        CLinearSystem system(c.n, c.augmented);
        EXPECT_FALSE(system.Solve()) << c.n << " " << c.augmented.size();
        EXPECT_TRUE(system.Solution().empty());
    }
}

TEST(MatrixOps, ProductsTransposeInverseAdjugate)
{
    EXPECT_EQ(CMatrix(2, 2, {1, 2, 3, 4}).Multiply(CMatrix(2, 2, {5, 6, 7, 8})), CMatrix(2, 2, {19, 22, 43, 50}));
    EXPECT_EQ(CMatrix(1, 3, {1, 2, 3}).Multiply(CMatrix(3, 1, {4, 5, 6})), CMatrix(1, 1, {32}));
    EXPECT_FALSE(CMatrix(2, 3).Multiply(CMatrix(2, 3)));
    EXPECT_EQ(CMatrix(1, 2, {1, -2}).Scale(2.5), CMatrix(1, 2, {2.5, -5}));
    EXPECT_EQ(CMatrix(2, 3, {1, 2, 3, 4, 5, 6}).Transpose(), CMatrix(3, 2, {1, 4, 2, 5, 3, 6}));
    EXPECT_FALSE(CMatrix(2, 3).Inverse() || CMatrix(2, 3).Adjugate());
    EXPECT_TRUE(std::isnan(CMatrix(2, 3).Determinant()));
    EXPECT_TRUE(CMatrix(-2, 3).Rows() == 0 && CMatrix(-2, 3).Values().empty());
    // A singular matrix still has an adjugate, also beyond the expansion limit:
    // diag(2, ..., 2, 0) has 2^9 at (9, 9) only.
    EXPECT_EQ(CMatrix(2, 2, {1, 2, 2, 4}).Adjugate(), CMatrix(2, 2, {4, -2, -2, 1}));
    CMatrix a(10, 10), expected(10, 10);
    for (int i = 0; i < 9; ++i)
        a.At(i, i) = 2;
    expected.At(9, 9) = 512;
    const CMatrix adjugate = *a.Adjugate();
    for (int i = 0; i < 100; ++i)
        EXPECT_NEAR(adjugate.Values()[i], expected.Values()[i], 1e-9) << i;
}

// Singular exactly, through rounding and through a zero row. The threshold
// sits between (1 1; 1 1+d) for d = 1e-10 (inverted) and d = 1e-13 (not).
TEST(MatrixOps, SingularityDecidesWhetherToInvert)
{
    CMatrix rankTwo(12, 12);
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j)
            rankTwo.At(i, j) = i + j;
    const struct { CMatrix m; bool singular; } cases[] = {
        {CMatrix(2, 2, {1, 2, 2, 4}), true}, {CMatrix(3, 3, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}), true},
        {CMatrix(2, 2, {1, 2, 0, 0}), true}, {CMatrix(2, 2, {1, 1, 1, 1 + 1e-13}), true}, {CMatrix(1, 1, {0}), true},
        {CMatrix(2, 2, {1, 1, 1, 1 + 1e-10}), false}, {CMatrix(2, 2, {1e-150, 0, 0, 1e-150}), false}, {rankTwo, true},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.m.IsSingular(), c.singular) << c.m.At(0, 0) << " " << c.m.Rows();
        EXPECT_EQ(c.m.Inverse().has_value(), !c.singular) << c.m.At(0, 0) << " " << c.m.Rows();
    }
}

TEST(NumberFormat, TenDigitsWithAPointAndSignificantLikePrintf)
{
    const struct { double value; const char *text; } cases[] = {
        {1, "1."}, {-1, "-1."}, {0, "0."}, {-0.5, "-0.5"}, {1.0 / 3, "0.3333333333"}, {0.9999999999999999, "1."},
        {1234567890, "1234567890."}, {12345678901.0, "1.23456789e+10"}, {1e20, "1.e+20"}, {1e-5, "1.e-05"},
        {0.0001, "0.0001"}, {std::numeric_limits<double>::quiet_NaN(), "nan"}, {-INFINITY, "-inf"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatTenDigits(c.value), c.text) << c.value;
    EXPECT_EQ(FormatSignificant(-2, 15), "-2");
    EXPECT_EQ(FormatSignificant(0.1 + 0.2, 15), "0.3");
    EXPECT_EQ(FormatSignificant(1e-20, 15), "1e-20");
    EXPECT_EQ(FormatSignificant(INFINITY, 15), "inf");
}

// Random matrices of every size the tools accept up to 50, against Eigen's
// full-pivoting LU as an independent computation.
TEST(Oracle, EverySizeAgainstEigen)
{
    for (int n = 1; n <= 50; ++n) {
        SCOPED_TRACE(n);
        std::mt19937 gen(1000u + static_cast<unsigned>(n));
        std::uniform_real_distribution<double> value(-10.0, 10.0);
        CMatrix a(n, n);
        Eigen::MatrixXd m(n, n);
        Eigen::VectorXd b(n);
        std::vector<double> augmented;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j)
                augmented.push_back(m(i, j) = a.At(i, j) = value(gen));
            augmented.push_back(b(i) = value(gen));
        }
        const Eigen::FullPivLU<Eigen::MatrixXd> lu(m);
        const auto relative = [](const Eigen::MatrixXd &got, const Eigen::MatrixXd &expected) {
            return (got - expected).cwiseAbs().maxCoeff() / expected.cwiseAbs().maxCoeff();
        };
        EXPECT_NEAR(a.Determinant(), lu.determinant(), 1e-9 * std::abs(lu.determinant()));
        const auto inverse = a.Inverse(), adjugate = a.Adjugate();
        ASSERT_TRUE(inverse && adjugate);
        const Eigen::MatrixXd inv = Eigen::Map<const Eigen::MatrixXd>(inverse->Values().data(), n, n).transpose();
        const Eigen::MatrixXd adj = Eigen::Map<const Eigen::MatrixXd>(adjugate->Values().data(), n, n).transpose();
        EXPECT_LT((m * inv - Eigen::MatrixXd::Identity(n, n)).cwiseAbs().maxCoeff(), 1e-9);
        EXPECT_LT(relative(inv, lu.inverse()), 1e-9);
        EXPECT_LT(relative(adj, lu.determinant() * lu.inverse()), 1e-9);
        CLinearSystem system(n, augmented);
        ASSERT_TRUE(system.Solve());
        const Eigen::Map<const Eigen::VectorXd> x(system.Solution().data(), n);
        const double scale = m.cwiseAbs().maxCoeff() * x.cwiseAbs().maxCoeff() + b.cwiseAbs().maxCoeff();
        EXPECT_LT((m * x - b).cwiseAbs().maxCoeff() / scale, 1e-12);
        EXPECT_LT(relative(x, lu.solve(b)), 1e-9);
    }
}

}  // namespace
