#include "core/linalg/Determinant.h"
#include "core/linalg/LinearSystem.h"
#include "core/linalg/Matrix.h"
#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"
#include "core/linalg/ToolText.h"

#include <Eigen/Dense>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

TEST(Determinant, ExactForWholeNumbersNaNWhenMalformed)
{
    std::vector<double> reversed(64, 0.0);  // the reversal of 8 rows: 28 exchanges
    for (int i = 0; i < 8; ++i)
        reversed[i * 8 + 7 - i] = 1;
    const struct { int n; std::vector<double> values; double expected; } cases[] = {
        {2, {1, 2, 3, 4}, -2}, {1, {3}, 3}, {3, {2, 0, 1, 1, 3, 2, 1, 1, 2}, 6}, {3, {1, 2, 3, 4, 5, 6, 1, 2, 3}, 0},
        {2, {0, 1, 1, 0}, -1}, {0, {}, 1}, {8, reversed, 1},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(CDeterminant(c.n, c.values).Value(), c.expected) << c.n;
        EXPECT_TRUE(CDeterminant(c.n, c.values).IsExact()) << c.n;
    }
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
    using E = CLinearSystem::EOutcome;
    const struct { int n; std::vector<double> augmented; E outcome; int rank; } singular[] = {
        {2, {0, 1, 1, 0, 2, 2}, E::FirstColumnZero, 0}, {2, {1, 2, 3, 2, 4, 6}, E::InfinitelyMany, 1},
        {3, {0.1, 0.2, 0.3, 1, 0.4, 0.5, 0.6, 1, 0.7, 0.8, 0.9, 1}, E::InfinitelyMany, 2},  // row 2 = (row 1 + row 3) / 2
        {3, {0.1, 0.2, 0.3, 1, 0.4, 0.5, 0.6, 2, 0.7, 0.8, 0.9, 1}, E::NoSolution, 2},
        {2, {1, 1, 1, 0, 0, 5}, E::NoSolution, 1}, {0, {}, E::Malformed, 0}, {2, {1, 2, 3}, E::Malformed, 0},
        {3, {1, 2, 3, 1, 4, 5, 6, 2, 4, 5, 6, 3}, E::NoSolution, 2}, {3, {1, 2, 3, 1, 4, 5, 6, 2, 4, 5, 6, 2}, E::InfinitelyMany, 2},
        {2, {1e-300, 0, 1e300, 0, 1, 1}, E::OutOfRange, 0},  // x = 1e300 / 1e-300
    };
    for (const auto &c : singular) {
        SCOPED_TRACE(testing::Message() << c.n << " " << c.augmented.size() << " " << (c.augmented.empty() ? 0 : c.augmented.back()));
        CLinearSystem system(c.n, c.augmented);
        EXPECT_FALSE(system.Solve());
        EXPECT_TRUE(system.Solution().empty());
        EXPECT_EQ(system.Outcome(), c.outcome);
        if (c.outcome == E::InfinitelyMany || c.outcome == E::NoSolution) {
            EXPECT_EQ(system.Rank(), c.rank);
        }
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
// sits where no digit would hold: (1 1; 1 1+d) for d = 1e-13 is still inverted,
// for d = 2^-52 (two rounding errors) it is not.
TEST(MatrixOps, SingularityDecidesWhetherToInvert)
{
    CMatrix rankTwo(12, 12);
    for (int i = 0; i < 12; ++i)
        for (int j = 0; j < 12; ++j)
            rankTwo.At(i, j) = i + j;
    const struct { CMatrix m; bool singular; } cases[] = {
        {CMatrix(2, 2, {1, 2, 2, 4}), true}, {CMatrix(3, 3, {0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9}), true},
        {CMatrix(2, 2, {1, 2, 0, 0}), true}, {CMatrix(2, 2, {1, 1, 1, 1 + 0x1p-52}), true}, {CMatrix(1, 1, {0}), true},
        {CMatrix(2, 2, {1, 1, 1, 1 + 1e-13}), false}, {CMatrix(2, 2, {1e-150, 0, 0, 1e-150}), false}, {rankTwo, true},
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
        EXPECT_EQ(ShownSolution(c.value), c.text) << c.value;
    EXPECT_EQ(FormatSignificant(-2, 15), "-2");
    EXPECT_EQ(FormatSignificant(0.1 + 0.2, 15), "0.3");
    EXPECT_EQ(FormatSignificant(1e-20, 15), "1e-20");
    EXPECT_EQ(FormatSignificant(INFINITY, 15), "inf");
}

// L D U with unit triangular whole-number L and U: the determinant is the
// product of D, and every element a whole number.
CMatrix WholeLdu(int n, const std::vector<long long> &d, int spread, unsigned seed)
{
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> value(-spread, spread);
    Eigen::MatrixXd l = Eigen::MatrixXd::Identity(n, n), u = Eigen::MatrixXd::Identity(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < i; ++j) {
            l(i, j) = value(gen);
            u(j, i) = value(gen);
        }
    Eigen::VectorXd diagonal(n);
    for (int i = 0; i < n; ++i)
        diagonal(i) = static_cast<double>(d[static_cast<std::size_t>(i)]);
    const Eigen::MatrixXd a = l * diagonal.asDiagonal() * u;
    CMatrix m(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            m.At(i, j) = a(i, j);
    return m;
}

CMatrix Hilbert(int n)
{
    CMatrix h(n, n);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            h.At(i, j) = 1.0 / (i + j + 1);
    return h;
}

// det H(n) = c(n)^4 / c(2n), with c(n) the product of 1!, 2!, ..., (n-1)!.
long double HilbertDeterminant(int n)
{
    const auto c = [](int k) {
        long double product = 1, factorial = 1;
        for (int i = 1; i < k; ++i)
            product *= factorial *= i;
        return product;
    };
    return std::pow(c(n), 4) / c(2 * n);
}

TEST(Determinant, WholeNumbersExactlyOthersToTheDigitsTheyClaim)
{
    std::vector<long long> d10{-2, 3, 7, 11, 1, -1, 13, 17, 19, 1}, d20(20, 1);
    d20[3] = -2;
    d20[11] = 3;
    CMatrix nines(20, 20);  // L 9I U with its rows reversed: minors beyond 128 bits, determinant 9^20
    const CMatrix ldu = WholeLdu(20, std::vector<long long>(20, 9), 1, 2);
    for (int i = 0; i < 400; ++i)
        nines.At(i / 20, i % 20) = ldu.At(19 - i / 20, i % 20);
    CMatrix big(20, 20);  // whole numbers up to 1e9: minors beyond 128 bits, still exact
    std::mt19937 gen(5);
    for (int i = 0; i < 400; ++i)
        big.At(i / 20, i % 20) = std::uniform_int_distribution<int>(-1000000000, 1000000000)(gen);
    const struct { CMatrix m; double expected; bool exact; } cases[] = {
        {WholeLdu(10, d10, 9, 1), -2.0 * 3 * 7 * 11 * -1 * 13 * 17 * 19, true},  // elements up to about 1e4
        {WholeLdu(20, d20, 3, 2), -6, true},
        {nines, static_cast<double>(std::pow(9.0L, 20)), true},

        {CMatrix(3, 3, {1e200, 0, 0, 0, 1e200, 0, 0, 0, 1e-300}), 1e100, false},  // no partial product overflows
        {CMatrix(2, 2, {0.5, 0.25, 0, 0}), 0, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.m.Rows());
        const CDeterminant det(c.m.Rows(), c.m.Values());
        EXPECT_EQ(det.IsExact(), c.exact);
        if (c.exact) {
            EXPECT_EQ(det.Value(), c.expected);
        } else {
            EXPECT_NEAR(det.Value(), c.expected, std::abs(c.expected) * std::pow(10.0, 1 - det.Digits()));
        }
    }
    const CDeterminant bigDet(20, big.Values());
    EXPECT_TRUE(bigDet.IsExact());
    const double eigenDet = Eigen::Map<const Eigen::MatrixXd>(big.Values().data(), 20, 20).fullPivLu().determinant();
    EXPECT_NEAR(bigDet.Value(), eigenDet, std::abs(eigenDet) * 1e-9);
    // Hilbert matrices: the closed form, to every digit shown, with the right sign.
    for (const auto &[n, minDigits] : {std::pair{7, 5}, {8, 4}, {10, 1}}) {
        SCOPED_TRACE(n);
        const CMatrix h = Hilbert(n);
        const CDeterminant det(n, h.Values());
        const double expected = static_cast<double>(HilbertDeterminant(n));
        EXPECT_GE(det.Digits(), minDigits);
        EXPECT_LT(std::abs(det.Value() - expected), expected * std::pow(10.0, 1 - det.Digits()));
        const double shown = std::stod(DeterminantText(det.Value(), det.Digits()));
        EXPECT_LT(std::abs(shown - expected), expected * std::pow(10.0, 1 - det.Digits()));
    }
    EXPECT_EQ(DeterminantText(1e-17, 0), "0");
    EXPECT_EQ(DeterminantText(-0.0), "0");
}

// Systems and inverses of ill-conditioned but regular matrices are given with
// a warning; singular ones are refused; results beyond double are refused.
TEST(MatrixOps, InverseByLuSolvesRefusesWhatItCannotGive)
{
    using T = CMatrix::ETrouble;
    CMatrix equalRows = WholeLdu(6, {1, 2, 3, 4, 5, 6}, 5, 4);
    for (int j = 0; j < 6; ++j)
        equalRows.At(4, j) = equalRows.At(1, j);
    const struct { CMatrix m; T trouble; bool warned; } cases[] = {
        {CMatrix(3, 3, {1, 2, 3, 4, 5, 6, 4, 5, 6}), T::Singular, false},
        {CMatrix(4, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 1, 2, 3, 5, 6, 7, 8}), T::Singular, false},
        {equalRows, T::Singular, false},
        {CMatrix(3, 3, {1e-120, 0, 0, 0, 1e-120, 0, 0, 0, 1e-120}), T::None, false},
        {CMatrix(3, 3, {1e160, 0, 0, 0, 1e160, 0, 0, 0, 1e160}), T::None, false},
        {CMatrix(2, 2, {1e-310, 0, 0, 1}), T::OutOfRange, false},
        {Hilbert(10), T::None, true},
        {CMatrix(2, 2, {4, 7, 2, 6}), T::None, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.m.Rows() << " " << c.m.At(0, 0));
        const CMatrix::SResult result = c.m.InverseChecked();
        EXPECT_EQ(result.trouble, c.trouble);
        EXPECT_EQ(result.matrix.has_value(), c.trouble == T::None);
        EXPECT_EQ(MatrixRefusal(result, true).has_value(), c.trouble != T::None);
        EXPECT_EQ(MatrixWarning(result).has_value(), c.warned);
        if (!result.matrix)
            continue;
        const int n = c.m.Rows();
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j) {
                double product = 0;  // (A X)(i, j) against the identity
                for (int k = 0; k < n; ++k)
                    product += c.m.At(i, k) * result.matrix->At(k, j);
                EXPECT_NEAR(product, i == j, c.warned ? 0.05 : 1e-15) << i << " " << j;
            }
    }
    EXPECT_EQ(*CMatrix(2, 2, {4, 7, 2, 6}).Inverse(), CMatrix(2, 2, {0.6, -0.7, -0.2, 0.4}));
    EXPECT_EQ(CMatrix(3, 3, {1e200, 0, 0, 0, 1e200, 0, 0, 0, 1e200}).AdjugateChecked().trouble, T::OutOfRange);
    EXPECT_EQ(CMatrix::Checked(CMatrix(1, 1, {1e200}).Multiply(CMatrix(1, 1, {-1e200}))).trouble, T::OutOfRange);
    EXPECT_EQ(CMatrix::Checked(CMatrix(1, 1, {1e200}).Scale(1e200)).trouble, T::OutOfRange);
    EXPECT_EQ(ShownCondition(1.63e13), "1.6e13");
    EXPECT_EQ(ShownCondition(2e-5), "2.0e-5");
}

// A system of the 10 x 10 Hilbert matrix is solved (with a warning), as the
// residual shows.
TEST(LinearSystem, IllConditionedSolvedWithAWarning)
{
    const CMatrix h = Hilbert(10);
    std::vector<double> augmented;
    for (int i = 0; i < 10; ++i) {
        double sum = 0;
        for (int j = 0; j < 10; ++j)
            augmented.push_back(h.At(i, j)), sum += h.At(i, j);
        augmented.push_back(sum);  // x = (1, ..., 1)
    }
    CLinearSystem system(10, augmented);
    ASSERT_TRUE(system.Solve());
    EXPECT_GT(system.Condition(), 1e12);
    EXPECT_LT(system.Condition(), 1e15);
    for (double x : system.Solution())
        EXPECT_NEAR(x, 1, 1e-2);
    ASSERT_TRUE(SystemWarning(system));
    EXPECT_NE(SystemWarning(system)->text.find("condition number about "), std::string::npos);
    EXPECT_FALSE(SystemRefusal(system));
}

TEST(ToolText, ResultCellsShowFourSignificantDigitsAndNoNegativeZero)
{
    const struct { double value; const char *text; } cases[] = {
        {1e-5, "1.0000e-05"}, {6e-5, "6.0000e-05"}, {-2.5e-11, "-2.5000e-11"}, {0.0999, "9.9900e-02"}, {0.1, "0.1000"},
        {0.0, "0.0000"}, {-0.0, "0.0000"}, {19, "19.0000"}, {-1234.5678, "-1234.5678"}, {-0.12345, "-0.1235"},
        {999999999999999.0, "999999999999999.0000"}, {1e120, "1.0000e+120"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ShownMatrixCell(c.value), c.text) << c.value;
    const struct { const char *text; std::optional<double> value; } cells[] = {
        {"", 0}, {"  ", 0}, {"-2.5e3", -2500}, {" +1 ", 1}, {".5", 0.5},
        {"1,5", std::nullopt}, {"abc", std::nullopt}, {"1e400", std::nullopt}, {"nan", std::nullopt}, {"2x", std::nullopt},
    };
    for (const auto &c : cells)
        EXPECT_EQ(ReadCellNumber(c.text), c.value) << c.text;
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
