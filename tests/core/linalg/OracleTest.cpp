// Random matrices of every size the tools accept up to 50, against Eigen's
// full-pivoting LU as an independent computation.
#include "core/linalg/LinearSystem.h"
#include "core/linalg/Matrix.h"

#include <Eigen/Dense>
#include <gtest/gtest.h>

#include <random>

namespace {

Eigen::MatrixXd ToEigen(const CMatrix &m)
{
    Eigen::MatrixXd out(m.Rows(), m.Cols());
    for (int i = 0; i < m.Rows(); ++i)
        for (int j = 0; j < m.Cols(); ++j)
            out(i, j) = m.At(i, j);
    return out;
}

CMatrix RandomMatrix(int n, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> value(-10.0, 10.0);
    CMatrix m(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            m.At(i, j) = value(gen);
    return m;
}

double RelativeError(const Eigen::MatrixXd &actual, const Eigen::MatrixXd &expected)
{
    return (actual - expected).cwiseAbs().maxCoeff() / expected.cwiseAbs().maxCoeff();
}

class Oracle : public ::testing::TestWithParam<int>
{
protected:
    int n = GetParam();
    CMatrix a = RandomMatrix(GetParam(), 1000u + static_cast<unsigned>(GetParam()));
    Eigen::FullPivLU<Eigen::MatrixXd> lu{ToEigen(a)};
};

TEST_P(Oracle, Determinant)
{
    const double expected = lu.determinant();
    EXPECT_NEAR(a.Determinant(), expected, 1e-9 * std::abs(expected));
}

TEST_P(Oracle, InverseLeavesIdentity)
{
    const auto inverse = a.Inverse();
    ASSERT_TRUE(inverse);
    const Eigen::MatrixXd product = ToEigen(a) * ToEigen(*inverse);
    EXPECT_LT((product - Eigen::MatrixXd::Identity(n, n)).cwiseAbs().maxCoeff(), 1e-9);
    EXPECT_LT(RelativeError(ToEigen(*inverse), lu.inverse()), 1e-9);
}

TEST_P(Oracle, AdjugateIsDeterminantTimesInverse)
{
    const auto adjugate = a.Adjugate();
    ASSERT_TRUE(adjugate);
    EXPECT_LT(RelativeError(ToEigen(*adjugate), lu.determinant() * lu.inverse()), 1e-9);
}

TEST_P(Oracle, SolutionLeavesNoResidual)
{
    std::mt19937 gen(static_cast<unsigned>(n));
    std::uniform_real_distribution<double> value(-10.0, 10.0);
    Eigen::VectorXd b(n);
    std::vector<double> augmented;
    for (int i = 0; i < n; ++i) {
        b(i) = value(gen);
        for (int j = 0; j < n; ++j)
            augmented.push_back(a.At(i, j));
        augmented.push_back(b(i));
    }
    CLinearSystem system(n, augmented);
    ASSERT_TRUE(system.Solve());
    const Eigen::Map<const Eigen::VectorXd> x(system.Solution().data(), n);
    const Eigen::MatrixXd m = ToEigen(a);
    EXPECT_LT((m * x - b).cwiseAbs().maxCoeff() / (m.cwiseAbs().maxCoeff() * x.cwiseAbs().maxCoeff() + b.cwiseAbs().maxCoeff()),
              1e-12);
    EXPECT_LT(RelativeError(x, lu.solve(b)), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Oracle, ::testing::Range(1, 51),
                         [](const auto &info) { return "Size" + std::to_string(info.param); });

}  // namespace
