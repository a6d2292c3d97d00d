// Exact answers checked against rationals worked out here by plain Gaussian
// elimination in mpq_class, and shown digits against them with MPFR.
#include "core/linalg/Determinant.h"
#include "core/expr/ShownNumber.h"
#include "core/linalg/Exact.h"
#include "core/linalg/LinearSystem.h"
#include "core/linalg/Matrix.h"
#include "core/linalg/ToolText.h"

#include "oracle/Mpfr.h"

#include <gmpxx.h>
#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <cmath>
#include <optional>
#include <random>

namespace {

using Q = std::vector<mpq_class>;

// Rationals of the typed doubles, each exactly.
Q Rationals(const std::vector<double> &values) { return Q(values.begin(), values.end()); }

struct SOracle
{
    int rank = 0;
    bool consistent = true;
    Q solution;  // for rank n
    mpq_class det = 0;
};

// Row reduction of n rows of cols rationals, pivoting in the first n columns.
SOracle Reduce(Q a, int n, int cols)
{
    SOracle out;
    mpq_class det = 1;
    int row = 0;
    for (int c = 0; c < n; ++c) {
        int p = row;
        while (p < n && a[p * cols + c] == 0)
            ++p;
        if (p == n) {
            det = 0;
            continue;
        }
        if (p != row) {
            for (int j = 0; j < cols; ++j)
                std::swap(a[p * cols + j], a[row * cols + j]);
            det = -det;
        }
        const mpq_class pivot = a[row * cols + c];
        det *= pivot;
        for (int j = 0; j < cols; ++j)
            a[row * cols + j] /= pivot;
        for (int r = 0; r < n; ++r)
            if (r != row && a[r * cols + c] != 0) {
                const mpq_class f = a[r * cols + c];
                for (int j = 0; j < cols; ++j)
                    a[r * cols + j] -= f * a[row * cols + j];
            }
        ++row;
    }
    out.rank = row;
    out.det = row == n ? det : mpq_class(0);
    for (int r = row; r < n; ++r)
        for (int j = n; j < cols; ++j)
            out.consistent = out.consistent && a[r * cols + j] == 0;
    if (row == n && cols > n)
        for (int i = 0; i < n; ++i)
            out.solution.push_back(a[i * cols + n]);
    return out;
}

oracle::Big BigOf(const mpq_class &q)
{
    oracle::Big b;
    mpfr_set_q(b.get(), q.get_mpq_t(), MPFR_RNDN);
    return b;
}

// The number a shown text ends with (the part in brackets, if any).
std::string ShownNumber(const std::string &text)
{
    std::string s = text.substr(text.find(" = ") == std::string::npos ? 0 : text.find(" = ") + 3);
    if (const std::size_t open = s.find('('); open != std::string::npos)
        s = s.substr(open + 1, s.find(')') - open - 1);
    return s;
}

std::vector<double> Hilbert(int n, int shift = 0)
{
    std::vector<double> h;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            h.push_back(1.0 / (i + j + 1 + shift));
    return h;
}

// A Hilbert system whose solution is all ones, as typed doubles.
std::vector<double> HilbertSystem(int n)
{
    const std::vector<double> h = Hilbert(n);
    std::vector<double> augmented;
    for (int i = 0; i < n; ++i) {
        double sum = 0;
        for (int j = 0; j < n; ++j)
            augmented.push_back(h[i * n + j]), sum += h[i * n + j];
        augmented.push_back(sum);
    }
    return augmented;
}

TEST(ExactSolve, ExactZerosAndFractionsForWholeNumbersAndShortDecimals)
{
    const struct { int n; std::vector<double> augmented; std::vector<std::string> texts; } cases[] = {
        {3, {3, 4, -1, 15, -5, 2, -4, 1, 1, -4, 5, -11}, {"Var.1. = 1.", "Var.2. = 3.", "Var.3. = 0."}},
        {2, {1, 1, 2, 1, -2, 3}, {"Var.1. = 7/3 (2.333333333)", "Var.2. = -1/3 (-0.3333333333)"}},
        {3, {1, 2, 3, 15, 2, -1, 1, 8, 3, 0, -1, 3}, {"Var.1. = 2.3", "Var.2. = 0.5", "Var.3. = 3.9"}},
        {2, {0.1, 0.2, 0.3, 0.3, 0.1, 0.1}, {"Var.1. = -0.2", "Var.2. = 1.6"}},
    };
    for (const auto &c : cases) {
        CLinearSystem system(c.n, c.augmented);
        ASSERT_TRUE(system.Solve()) << c.augmented[0];
        EXPECT_TRUE(system.IsExact());
        EXPECT_FALSE(SystemWarning(system));
        std::vector<std::string> texts;
        for (int i = 1; i <= c.n; ++i)
            texts.push_back(SolutionText(system, i));
        EXPECT_EQ(texts, c.texts);
    }
}

// Hilbert systems of typed doubles: solved to the digits that hold, or
// refused as numerically singular, never as having infinitely many solutions.
TEST(FloatSolve, HilbertShowsOnlyDigitsThatHoldAndRefusesWhatDoubleCannotSolve)
{
    for (int n : {6, 7, 8, 9, 10}) {
        SCOPED_TRACE(n);
        const std::vector<double> augmented = HilbertSystem(n);
        CLinearSystem system(n, augmented);
        ASSERT_TRUE(system.Solve());
        EXPECT_FALSE(system.IsExact());
        EXPECT_TRUE(SystemWarning(system));  // condition 1.5e7 and beyond
        const SOracle exact = Reduce(Rationals(augmented), n, n + 1);
        for (int i = 1; i <= n; ++i) {
            const std::string text = SolutionText(system, i);
            EXPECT_LE(oracle::ShownError(ShownNumber(text), BigOf(exact.solution[i - 1])), 1.0) << text;
        }
    }
    for (int n : {12, 13}) {
        CLinearSystem system(n, HilbertSystem(n));
        EXPECT_FALSE(system.Solve());
        EXPECT_EQ(system.Outcome(), CLinearSystem::EOutcome::TooIllConditioned);
        EXPECT_TRUE(SystemRefusal(system)->text.starts_with("The system is numerically singular: condition number about "))
            << SystemRefusal(system)->text;
    }
}

TEST(Determinant, RegularMatricesAreNeverZeroAndSayHowManyDigitsHold)
{
    const CDeterminant h11(11, Hilbert(11));
    EXPECT_FALSE(h11.IsExact());
    EXPECT_GE(h11.Digits(), CDeterminant::kMinShownDigits);
    EXPECT_NEAR(h11.Value() / 3.0190953344493e-65, 1, 0.05);  // the true Hilbert determinant
    ASSERT_TRUE(DeterminantWarning(h11));
    EXPECT_NE(DeterminantWarning(h11)->text.find("condition number about "), std::string::npos);

    const std::vector<double> nearly{1, 1, 1, 1.000000000000005};
    const CDeterminant d(2, nearly);
    const mpq_class exact = mpq_class(nearly[3]) - 1;
    EXPECT_LE(oracle::ShownError(DeterminantFieldText(d), BigOf(exact)), 0.5) << DeterminantFieldText(d);
    EXPECT_TRUE(DeterminantWarning(d));
    EXPECT_EQ(DeterminantFieldText(CDeterminant(2, {1.0 / 3, 2.0 / 3, 1.0 / 3, 2.0 / 3})), "0");
}

// The exact value is kept in full beside the double.
TEST(Determinant, ExactTextInFull)
{
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> value(-99999, 99999);
    std::vector<double> m(400);
    for (double &v : m)
        v = value(gen);
    const CDeterminant det(20, m);
    const mpq_class exact = Reduce(Rationals(m), 20, 20).det;
    ASSERT_TRUE(det.IsExact());
    EXPECT_EQ(det.ExactText(), exact.get_str());
    EXPECT_EQ(DeterminantFieldText(det), exact.get_str() + " (" + DeterminantText(det.Value()) + ")");
    EXPECT_EQ(det.Value(), NearestDouble(exact));
    EXPECT_EQ(DeterminantFieldText(CDeterminant(2, {1, 2, 3, 4})), "-2");
    EXPECT_EQ(DeterminantFieldText(CDeterminant(2, {0.5, 0.1, 0.1, 0.3})), "0.14");
    EXPECT_EQ(DeterminantFieldText(CDeterminant(2, {0.5, 1, 1, 0.6})), "-0.7");
    EXPECT_EQ(DeterminantFieldText(CDeterminant(2, {0.123456789, 0, 0, 0.987654321})),
              "121932631112635269/1000000000000000000 (0.121932631112635)");
}

// An inverse is refused as singular only when the typed numbers are; a
// regular matrix beyond double precision is refused as too ill-conditioned.
TEST(Inverse, TooIllConditionedIsNotSingular)
{
    using T = CMatrix::ETrouble;
    const struct { CMatrix m; T trouble; } cases[] = {
        {CMatrix(2, 2, {1, 1, 1, 1 + 0x1p-52}), T::TooIllConditioned},
        {CMatrix(2, 2, {1, 2, 2, 4}), T::Singular},
        {CMatrix(2, 2, {1.0 / 3, 2.0 / 3, 1.0 / 3, 2.0 / 3}), T::Singular},
        {CMatrix(13, 13, Hilbert(13)), T::TooIllConditioned},
        {CMatrix(2, 2, {0.1, 0.2, 0.3, 0.6}), T::Singular},
    };
    for (const auto &c : cases) {
        const CMatrix::SResult result = c.m.InverseChecked();
        EXPECT_EQ(result.trouble, c.trouble) << c.m.Rows() << " " << c.m.At(1, 1);
        const auto refusal = MatrixRefusal(result, true);
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->text.find("too close to singular") != std::string::npos, c.trouble == T::TooIllConditioned);
    }
}

// Hilbert inverses: every shown cell holds against the exact inverse of the
// typed doubles.
TEST(Inverse, HilbertCellsShowOnlyDigitsThatHold)
{
    for (int n : {6, 7, 8, 9}) {
        SCOPED_TRACE(n);
        const std::vector<double> h = Hilbert(n);
        const CMatrix::SResult result = CMatrix(n, n, h).InverseChecked();
        ASSERT_TRUE(result.matrix);
        EXPECT_TRUE(MatrixWarning(result));
        Q augmented;
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j)
                augmented.emplace_back(h[i * n + j]);
            for (int j = 0; j < n; ++j)
                augmented.emplace_back(i == j ? 1 : 0);
        }
        // Columns of the inverse, one solve each.
        for (int j = 0; j < n; ++j) {
            Q system;
            for (int i = 0; i < n; ++i) {
                for (int k = 0; k < n; ++k)
                    system.push_back(augmented[i * 2 * n + k]);
                system.push_back(augmented[i * 2 * n + n + j]);
            }
            const SOracle column = Reduce(system, n, n + 1);
            for (int i = 0; i < n; ++i) {
                const std::string text = ShownMatrixCell(result.matrix->At(i, j), result.digits);
                EXPECT_LE(oracle::ShownError(text, BigOf(column.solution[i])), 1.0) << i << "," << j << " " << text;
            }
        }
    }
    EXPECT_EQ(ShownMatrixCell(-3969000.0003106, 8), "-3969000.0");
    EXPECT_EQ(ShownMatrixCell(-3969000.0003106, 5), "-3.9690e+06");
    EXPECT_EQ(ShownMatrixCell(0.6, 15), "0.6000");
}

// Random whole-number systems against the rational oracle: exact zeros and
// fractions, and exact decisions about rank.
RC_GTEST_PROP(ExactProperty, IntegerSystemsMatchRationals, ())
{
    const int n = *rc::gen::inRange(1, 7);
    const int spread = *rc::gen::element(1, 3, 9, 1000);
    std::vector<double> augmented;
    for (int i = 0; i < n * (n + 1); ++i)
        augmented.push_back(*rc::gen::inRange(-spread, spread + 1));
    CLinearSystem system(n, augmented);
    const bool solved = system.Solve();
    if (system.Outcome() == CLinearSystem::EOutcome::FirstColumnZero)
        return;
    const SOracle exact = Reduce(Rationals(augmented), n, n + 1);
    RC_ASSERT(solved == (exact.rank == n));
    if (!solved) {
        RC_ASSERT(system.Rank() == exact.rank);
        RC_ASSERT(system.Outcome() == (exact.consistent ? CLinearSystem::EOutcome::InfinitelyMany
                                                        : CLinearSystem::EOutcome::NoSolution));
        return;
    }
    for (int i = 0; i < n; ++i) {
        RC_ASSERT(system.ExactTexts()[i] == exact.solution[i].get_str());
        RC_ASSERT(system.Solution()[i] == NearestDouble(exact.solution[i]));
        RC_ASSERT(oracle::ShownError(ShownNumber(SolutionText(system, i + 1)), BigOf(exact.solution[i])) <= 0.5);
    }
}

// Determinants of whole numbers are exact; of Hilbert-like matrices typed as
// doubles, the digits that are claimed to hold do hold against the true
// rational matrix, and a warning comes whenever more are shown.
RC_GTEST_PROP(ExactProperty, DeterminantsShowNoMoreDigitsThanHold, ())
{
    const int n = *rc::gen::inRange(1, 9);
    if (*rc::gen::arbitrary<bool>()) {
        std::vector<double> m;
        for (int i = 0; i < n * n; ++i)
            m.push_back(*rc::gen::inRange(-50, 51));
        const CDeterminant det(n, m);
        RC_ASSERT(det.IsExact());
        RC_ASSERT(det.ExactText() == Reduce(Rationals(m), n, n).det.get_str());
        return;
    }
    const int shift = *rc::gen::inRange(0, 4);
    Q exact;
    std::vector<double> typed;
    for (int i = 0; i < n; ++i) {
        const int factor = *rc::gen::inRange(1, 4);  // row multiples keep it regular
        for (int j = 0; j < n; ++j) {
            exact.emplace_back(mpz_class(factor), mpz_class(i + j + 1 + shift));
            exact.back().canonicalize();
            typed.push_back(NearestDouble(exact.back()));
        }
    }
    const CDeterminant det(n, typed);
    const mpq_class trueDet = Reduce(exact, n, n).det;
    RC_ASSERT(det.Value() != 0);
    const std::string shown = DeterminantText(det.Value(), det.TrustedDigits());
    if (det.TrustedDigits() > 0)
        RC_ASSERT(oracle::ShownError(shown, BigOf(trueDet)) <= 1.0);
    RC_ASSERT(det.Digits() == det.TrustedDigits() || det.Digits() == 15 || DeterminantWarning(det).has_value());
}

}  // namespace
