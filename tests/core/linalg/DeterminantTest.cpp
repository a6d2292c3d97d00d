#include "core/linalg/Determinant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

struct DetCase {
    const char *name;
    int n;
    std::vector<double> values;
    double expected;
};

class DeterminantValue : public ::testing::TestWithParam<DetCase> {};

TEST_P(DeterminantValue, IsExact)
{
    EXPECT_EQ(CDeterminant(GetParam().n, GetParam().values).Value(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Small, DeterminantValue,
    ::testing::Values(DetCase{"TwoByTwo", 2, {1, 2, 3, 4}, -2}, DetCase{"OneByOne", 1, {3}, 3},
                      DetCase{"ThreeByThree", 3, {2, 0, 1, 1, 3, 2, 1, 1, 2}, 6},
                      DetCase{"EqualRows", 3, {1, 2, 3, 4, 5, 6, 1, 2, 3}, 0},
                      DetCase{"LeadingZero", 2, {0, 1, 1, 0}, -1}, DetCase{"Empty", 0, {}, 1},
                      // The reversal of 8 rows: 28 exchanges, so +1; the last size expanded.
                      DetCase{"ReversedEight", 8, [] {
                                  std::vector<double> v(64, 0.0);
                                  for (int i = 0; i < 8; ++i)
                                      v[i * 8 + 7 - i] = 1;
                                  return v;
                              }(),
                              1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Determinant, MalformedIsNaN)
{
    EXPECT_TRUE(std::isnan(CDeterminant(2, {1, 2, 3}).Value()));
    EXPECT_TRUE(std::isnan(CDeterminant(-1, {}).Value()));
}

// Expansion and elimination meet at the limit: the same value either side.
TEST(Determinant, ExpansionAgreesWithEliminationAtTheLimit)
{
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> digit(-9, 9);
    const int n = CDeterminant::kExpansionLimit;
    std::vector<double> a(n * n);
    for (double &v : a)
        v = digit(gen);
    const double expanded = CDeterminant(n, a).Value();
    // Bordering with a 1 makes the same determinant one size larger.
    std::vector<double> b((n + 1) * (n + 1), 0.0);
    b[0] = 1;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            b[(i + 1) * (n + 1) + j + 1] = a[i * n + j];
    EXPECT_NEAR(CDeterminant(n + 1, b).Value(), expanded, 1e-9 * std::abs(expanded));
}

}  // namespace
